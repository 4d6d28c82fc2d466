<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>DescriptionManager</name>
    <message>
        <source>穴位说明管理</source>
        <translation>Point descriptions</translation>
    </message>
    <message>
        <source>穴位名称：</source>
        <translation>Point:</translation>
    </message>
    <message>
        <source>图片路径：</source>
        <translation>Picture path:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>选择图片文件</source>
        <translation>Choose a picture file</translation>
    </message>
    <message>
        <source>穴位说明：</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>|&lt;</source>
        <translation>|&lt;</translation>
    </message>
    <message>
        <source>第一条</source>
        <translation>First</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>上一条</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>下一条</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>&gt;|</source>
        <translation>&gt;|</translation>
    </message>
    <message>
        <source>最后一条</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>查找定位：</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>新增</source>
        <translation>New</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>取消／关闭</source>
        <translation>Cancel / Close</translation>
    </message>
</context>
<context>
    <name>PlacePicker</name>
    <message>
        <source>全国部分城市东经度数一览表(待续)</source>
        <translation>East longitudes of Chinese cities (to be continued)</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>close/cancle</source>
        <translation>close/cancle</translation>
    </message>
</context>
<context>
    <name>ScheduleWindow</name>
    <message>
        <source>开穴表</source>
        <translation>Opening schedule</translation>
    </message>
    <message>
        <source>日</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>周</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>月</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>上一段</source>
        <translation>Earlier</translation>
    </message>
    <message>
        <source>yyyy-MM-dd</source>
        <translation>yyyy-MM-dd</translation>
    </message>
    <message>
        <source>下一段</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>打印(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>导出PDF(&amp;E)...</source>
        <translation>&amp;Export PDF...</translation>
    </message>
    <message>
        <source>点击一格，主窗口即转到该时辰的开始</source>
        <translation>Click a cell: the main window goes to the start of that double-hour</translation>
    </message>
    <message>
        <source>color: red;</source>
        <translation>color: red;</translation>
    </message>
</context>
<context>
    <name>store</name>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>“{1}”可指几个穴位：{2}；请写明是哪一个</source>
        <translation>"{1}" may mean several points: {2}; say which one</translation>
    </message>
    <message>
        <source>不是已知的穴位：{1}</source>
        <translation>Not a known point: {1}</translation>
    </message>
    <message>
        <source>{1}（相近的穴位：{2}）</source>
        <translation>{1} (close points: {2})</translation>
    </message>
</context>
</TS>
