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
    <name>column</name>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>时干支</source>
        <translation>Hour stem-branch</translation>
    </message>
    <message>
        <source>日干支</source>
        <translation>Day stem-branch</translation>
    </message>
    <message>
        <source>纳干穴位</source>
        <translation>Najia point</translation>
    </message>
    <message>
        <source>过原</source>
        <translation>Source passed</translation>
    </message>
    <message>
        <source>兼过原穴</source>
        <translation>Extra source</translation>
    </message>
    <message>
        <source>补穴</source>
        <translation>Supplementary point</translation>
    </message>
    <message>
        <source>纳支本穴</source>
        <translation>Nazi own point</translation>
    </message>
    <message>
        <source>纳支泻穴</source>
        <translation>Nazi draining point</translation>
    </message>
    <message>
        <source>纳支补穴</source>
        <translation>Nazi tonifying point</translation>
    </message>
    <message>
        <source>灵龟穴位</source>
        <translation>Linggui point</translation>
    </message>
    <message>
        <source>灵龟配穴</source>
        <translation>Linggui partner</translation>
    </message>
    <message>
        <source>飞腾穴位</source>
        <translation>Feiteng point</translation>
    </message>
    <message>
        <source>飞腾配穴</source>
        <translation>Feiteng partner</translation>
    </message>
    <message>
        <source>时干法经</source>
        <translation>Shigan meridian</translation>
    </message>
    <message>
        <source>日干法经</source>
        <translation>Rigan meridian</translation>
    </message>
    <message>
        <source>纳支法2经</source>
        <translation>Nazi 2 meridian</translation>
    </message>
    <message>
        <source>钟表时间</source>
        <translation>Clock time</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>Doctrine</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>Record</translation>
    </message>
</context>
<context>
    <name>field</name>
    <message>
        <source>时间页</source>
        <translation>time page</translation>
    </message>
    <message>
        <source>时区</source>
        <translation>time zone</translation>
    </message>
    <message>
        <source>夏令时(分钟)</source>
        <translation>summer time (minutes)</translation>
    </message>
    <message>
        <source>中国夏令时</source>
        <translation>China's summer time</translation>
    </message>
    <message>
        <source>均时差</source>
        <translation>equation of time</translation>
    </message>
    <message>
        <source>参考时间</source>
        <translation>reference time</translation>
    </message>
    <message>
        <source>参考时刻</source>
        <translation>reference instant</translation>
    </message>
    <message>
        <source>时辰模式</source>
        <translation>time mode</translation>
    </message>
    <message>
        <source>未能计算</source>
        <translation>not worked out</translation>
    </message>
    <message>
        <source>未能计算的原因</source>
        <translation>why not worked out</translation>
    </message>
    <message>
        <source>计算所用时间</source>
        <translation>time worked with</translation>
    </message>
    <message>
        <source>真太阳时</source>
        <translation>true solar time</translation>
    </message>
    <message>
        <source>北京时间</source>
        <translation>Beijing time</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>day</translation>
    </message>
    <message>
        <source>日干支</source>
        <translation>day stem-branch</translation>
    </message>
    <message>
        <source>时辰</source>
        <translation>double-hour</translation>
    </message>
    <message>
        <source>时干支</source>
        <translation>hour stem-branch</translation>
    </message>
    <message>
        <source>时辰时段</source>
        <translation>double-hour span</translation>
    </message>
    <message>
        <source>钟表时段</source>
        <translation>clock span</translation>
    </message>
    <message>
        <source>钟表时段起</source>
        <translation>clock span start</translation>
    </message>
    <message>
        <source>钟表时段止</source>
        <translation>clock span end</translation>
    </message>
    <message>
        <source>距下一时辰(分钟)</source>
        <translation>minutes to the next double-hour</translation>
    </message>
    <message>
        <source>东经度数</source>
        <translation>east longitude</translation>
    </message>
    <message>
        <source>国外经度</source>
        <translation>abroad longitude</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>warnings</translation>
    </message>
    <message>
        <source>闭穴</source>
        <translation>closed</translation>
    </message>
    <message>
        <source>穴位</source>
        <translation>point</translation>
    </message>
    <message>
        <source>配穴</source>
        <translation>partner point</translation>
    </message>
    <message>
        <source>经脉</source>
        <translation>meridian</translation>
    </message>
    <message>
        <source>值日经</source>
        <translation>duty meridian</translation>
    </message>
    <message>
        <source>原穴</source>
        <translation>source point</translation>
    </message>
    <message>
        <source>兼过原穴</source>
        <translation>extra source point</translation>
    </message>
    <message>
        <source>本穴</source>
        <translation>own point</translation>
    </message>
    <message>
        <source>泻穴</source>
        <translation>draining point</translation>
    </message>
    <message>
        <source>补穴</source>
        <translation>tonifying point</translation>
    </message>
    <message>
        <source>井</source>
        <translation>jing-well</translation>
    </message>
    <message>
        <source>荥</source>
        <translation>ying-spring</translation>
    </message>
    <message>
        <source>俞</source>
        <translation>shu-stream</translation>
    </message>
    <message>
        <source>经</source>
        <translation>jing-river</translation>
    </message>
    <message>
        <source>合</source>
        <translation>he-sea</translation>
    </message>
    <message>
        <source>原</source>
        <translation>source</translation>
    </message>
    <message>
        <source>纳干法</source>
        <translation>Najia</translation>
    </message>
    <message>
        <source>纳支法</source>
        <translation>Nazi</translation>
    </message>
    <message>
        <source>灵龟八法</source>
        <translation>Linggui</translation>
    </message>
    <message>
        <source>飞腾八法</source>
        <translation>Feiteng</translation>
    </message>
    <message>
        <source>时干法</source>
        <translation>Shigan</translation>
    </message>
    <message>
        <source>日干法</source>
        <translation>Rigan</translation>
    </message>
    <message>
        <source>纳支法2</source>
        <translation>Nazi 2</translation>
    </message>
    <message>
        <source>为什么</source>
        <translation>why</translation>
    </message>
    <message>
        <source>五行</source>
        <translation>phase</translation>
    </message>
    <message>
        <source>五俞</source>
        <translation>transport point</translation>
    </message>
    <message>
        <source>过原</source>
        <translation>source point passed</translation>
    </message>
    <message>
        <source>本经</source>
        <translation>own meridian</translation>
    </message>
    <message>
        <source>补穴经</source>
        <translation>tonifying meridian</translation>
    </message>
    <message>
        <source>经络</source>
        <translation>meridian</translation>
    </message>
    <message>
        <source>补穴法</source>
        <translation>supplementary point</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>code</translation>
    </message>
</context>
<context>
    <name>heading</name>
    <message>
        <source>灵龟八法：</source>
        <translation>Linggui — eight methods of the Sacred Tortoise:</translation>
    </message>
    <message>
        <source>飞腾八法：</source>
        <translation>Feiteng — soaring eight methods:</translation>
    </message>
    <message>
        <source>纳干法（徐氏）：</source>
        <translation>Najia — stem method (after Xu):</translation>
    </message>
    <message>
        <source>纳支法：</source>
        <translation>Nazi — branch method:</translation>
    </message>
    <message>
        <source>时干法：</source>
        <translation>Shigan — hour-stem method:</translation>
    </message>
    <message>
        <source>日干法：</source>
        <translation>Rigan — day-stem method:</translation>
    </message>
    <message>
        <source>纳支法2：</source>
        <translation>Nazi 2 — branch method, the whole meridian:</translation>
    </message>
    <message>
        <source>纳干法（徐氏）补穴法：</source>
        <translation>Najia (after Xu) — supplementary points:</translation>
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
<context>
    <name>tail</name>
    <message>
        <source>穴位</source>
        <translation>point</translation>
    </message>
    <message>
        <source>过原</source>
        <translation>source point passed</translation>
    </message>
    <message>
        <source>兼过原穴</source>
        <translation>extra source point</translation>
    </message>
    <message>
        <source>本穴</source>
        <translation>own point</translation>
    </message>
    <message>
        <source>原穴</source>
        <translation>source point</translation>
    </message>
    <message>
        <source>泻穴</source>
        <translation>draining point</translation>
    </message>
    <message>
        <source>补穴</source>
        <translation>tonifying point</translation>
    </message>
    <message>
        <source>井</source>
        <translation>jing-well</translation>
    </message>
    <message>
        <source>荥</source>
        <translation>ying-spring</translation>
    </message>
    <message>
        <source>俞</source>
        <translation>shu-stream</translation>
    </message>
    <message>
        <source>经</source>
        <translation>jing-river</translation>
    </message>
    <message>
        <source>合</source>
        <translation>he-sea</translation>
    </message>
    <message>
        <source>原</source>
        <translation>source</translation>
    </message>
    <message>
        <source>灵龟穴位</source>
        <translation>Linggui point</translation>
    </message>
    <message>
        <source>灵龟配穴</source>
        <translation>Linggui partner</translation>
    </message>
    <message>
        <source>飞腾穴位</source>
        <translation>Feiteng point</translation>
    </message>
    <message>
        <source>飞腾配穴</source>
        <translation>Feiteng partner</translation>
    </message>
    <message>
        <source>徐氏纳干法补穴</source>
        <translation>Najia supplementary point</translation>
    </message>
    <message>
        <source>全部时辰</source>
        <translation>every double-hour</translation>
    </message>
    <message>
        <source>{1}时</source>
        <translation>{1} hour</translation>
    </message>
    <message>
        <source>钟表时间</source>
        <translation>clock time</translation>
    </message>
</context>
<context>
    <name>value</name>
    <message>
        <source>不区分夜子时早子时</source>
        <translation>late and early Zi as one</translation>
    </message>
    <message>
        <source>区分夜子时早子时</source>
        <translation>late and early Zi apart</translation>
    </message>
    <message>
        <source>以0-2时为子时</source>
        <translation>Zi from 0:00 to 2:00</translation>
    </message>
    <message>
        <source>请先输入正确东经数</source>
        <translation>Enter a valid east longitude first</translation>
    </message>
</context>
</TS>
