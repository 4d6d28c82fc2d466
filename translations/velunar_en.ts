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
        <translation>Point name:</translation>
    </message>
    <message>
        <source>图片路径：</source>
        <translation>Picture path:</translation>
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
        <source>第一条</source>
        <translation>First</translation>
    </message>
    <message>
        <source>上一条</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>下一条</source>
        <translation>Next</translation>
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
    <name>PlanReminder</name>
    <message>
        <source>开穴提醒：%1</source>
        <translation>Opening reminder: %1</translation>
    </message>
    <message>
        <source>%1（%2）%3 开穴，门诊时间内至 %4</source>
        <translation>%1 (%2) opens at %3, within the clinic hours until %4</translation>
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
    <message>
        <source>人神</source>
        <translation>Renshen taboo</translation>
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
    <name>hint</name>
    <message>
        <source>{1} 中国实行夏令时，钟表比北京时间快 {2} 分钟，已按夏令时计算</source>
        <translation>On {1} China kept summer time: clocks were {2} minutes ahead of Beijing time; summer time is applied</translation>
    </message>
    <message>
        <source>{1} 中国实行夏令时，钟表比北京时间快 {2} 分钟</source>
        <translation>On {1} China kept summer time: clocks were {2} minutes ahead of Beijing time</translation>
    </message>
    <message>
        <source>所选时区标为 {1}，而 {2} 此时的标准时间是 {3}</source>
        <translation>The chosen zone is labelled {1}, but standard time in {2} is {3} at this moment</translation>
    </message>
    <message>
        <source>当地此时实行夏令时 {1} 分钟，您输入的是 {2}</source>
        <translation>Summer time there is {1} minutes at this moment; you entered {2}</translation>
    </message>
    <message>
        <source>当地此时不实行夏令时，您输入的是 {1} 分钟</source>
        <translation>There is no summer time there at this moment; you entered {1} minutes</translation>
    </message>
    <message>
        <source>本机时区此时为 {1}，不是北京时间（GMT+08:00）：时钟读数仍按北京时间计算，请核对本机时区或改用国外页</source>
        <translation>This machine's zone is {1} at this moment, not Beijing time (GMT+08:00): its clock is still read as Beijing time; check the machine's zone or use the Abroad page</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>本机时区此时为 {1}，不是 {2}（{3}）：时钟读数仍按 {2} 计算，请核对本机时区</source>
        <translation>This machine's zone is {1} at this moment, not {2} ({3}): its clock is still read as {2}; check the machine's zone</translation>
    </message>
</context>
<context>
    <name>print</name>
    <message>
        <source>开穴表</source>
        <translation>Opening schedule</translation>
    </message>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>setting</name>
    <message>
        <source>东经</source>
        <translation>longitude</translation>
    </message>
    <message>
        <source>东经/西经</source>
        <translation>east/west</translation>
    </message>
    <message>
        <source>时区</source>
        <translation>time zone</translation>
    </message>
    <message>
        <source>减夏令时</source>
        <translation>summer time</translation>
    </message>
    <message>
        <source>国外经度</source>
        <translation>longitude abroad</translation>
    </message>
    <message>
        <source>地点</source>
        <translation>place</translation>
    </message>
    <message>
        <source>时辰变换提示</source>
        <translation>double-hour change notice</translation>
    </message>
    <message>
        <source>仅仅使用北京时间</source>
        <translation>Beijing time only</translation>
    </message>
    <message>
        <source>时辰模式</source>
        <translation>double-hour mode</translation>
    </message>
    <message>
        <source>时间页</source>
        <translation>time page</translation>
    </message>
    <message>
        <source>均时差</source>
        <translation>equation of time</translation>
    </message>
    <message>
        <source>时区数据库</source>
        <translation>tz database zone</translation>
    </message>
    <message>
        <source>中国夏令时</source>
        <translation>China's summer time</translation>
    </message>
    <message>
        <source>天干写法</source>
        <translation>sixth stem's spelling</translation>
    </message>
    <message>
        <source>显示人神禁忌</source>
        <translation>人神 taboos shown</translation>
    </message>
    <message>
        <source>人神出处</source>
        <translation>人神 reading</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>language</translation>
    </message>
    <message>
        <source>穴名写法</source>
        <translation>point names</translation>
    </message>
</context>
<context>
    <name>step</name>
    <message>
        <source>日干{1}数{2}（徐凤《针灸大全》八法逐日干支歌：“{3}”）</source>
        <translation>Day stem {1}: number {2} (Xu Feng, Complete Collection of Acupuncture and Moxibustion 《针灸大全》, verse of the eight methods for the day: “{3}”)</translation>
    </message>
    <message>
        <source>日支{1}数{2}（八法逐日干支歌：“{3}”）</source>
        <translation>Day branch {1}: number {2} (verse of the eight methods for the day: “{3}”)</translation>
    </message>
    <message>
        <source>时干{1}数{2}（八法临时干支歌：“{3}”）</source>
        <translation>Hour stem {1}: number {2} (verse of the eight methods for the hour: “{3}”)</translation>
    </message>
    <message>
        <source>时支{1}数{2}（八法临时干支歌：“{3}”）</source>
        <translation>Hour branch {1}: number {2} (verse of the eight methods for the hour: “{3}”)</translation>
    </message>
    <message>
        <source>夜子时：时干从次日{1}起算，日干、日支及日之阴阳仍按本日{2}{3}</source>
        <translation>Late Zi hour: the hour stem is counted from the next day's {1}; the day's stem, branch and yin or yang stay those of this day, {2}{3}</translation>
    </message>
    <message>
        <source>四数相加：{1} + {2} + {3} + {4} = {5}</source>
        <translation>The four numbers added: {1} + {2} + {3} + {4} = {5}</translation>
    </message>
    <message>
        <source>{1}为{2}日，{2}日除{3}（八法临时干支歌：“阳日除九阴除六，不及零余穴下推”）：{4} ÷ {3} = {5} 余 {6}，即 {4} mod {3} = {6}</source>
        <translation>{1} is a {2} day; a {2} day divides by {3} (verse of the eight methods for the hour: “阳日除九阴除六，不及零余穴下推”): {4} ÷ {3} = {5} remainder {6}, that is {4} mod {3} = {6}</translation>
    </message>
    <message>
        <source>余数为 0：整除时以除数 {1} 为数</source>
        <translation>The remainder is 0: dividing evenly, the divisor {1} is the number</translation>
    </message>
    <message>
        <source>{1}为{2}，开{3}（《针灸大全》八法歌：“{4}”）</source>
        <translation>{1} is {2}: {3} opens (《针灸大全》, verse of the eight methods: “{4}”)</translation>
    </message>
    <message>
        <source>灵龟八法：开{1}，配{2}</source>
        <translation>Linggui: {1} opens, paired with {2}</translation>
    </message>
    <message>
        <source>尚未定出时辰，灵龟八法无从推算</source>
        <translation>No double-hour yet: Linggui cannot be worked out</translation>
    </message>
    <message>
        <source>飞腾八法只看时干：时干{1}开{2}（《针灸大全》飞腾八法歌：“{3}”）</source>
        <translation>Feiteng looks at the hour stem alone: hour stem {1} opens {2} (《针灸大全》, verse of Feiteng: “{3}”)</translation>
    </message>
    <message>
        <source>飞腾八法：开{1}，配{2}</source>
        <translation>Feiteng: {1} opens, paired with {2}</translation>
    </message>
    <message>
        <source>尚未定出时辰，飞腾八法无从推算</source>
        <translation>No double-hour yet: Feiteng cannot be worked out</translation>
    </message>
    <message>
        <source>{1}与{2}同为八脉交会穴，相配而用（八脉交会八穴歌：“{3}”）</source>
        <translation>{1} and {2} are both confluent points of the eight extraordinary vessels and are used together (verse of the eight confluent points: “{3}”)</translation>
    </message>
    <message>
        <source>纳干法以日干与时支定时：{1}日{2}时，即{3}时</source>
        <translation>Najia sets the time by the day stem and the hour branch: day {1}, double-hour {2}, that is the {3} double-hour</translation>
    </message>
    <message>
        <source>夜子时：时干支从次日起算作{1}，而纳干法只按本日{2}日与时支查表</source>
        <translation>Late Zi hour: the hour's stem and branch are counted from the next day as {1}, but Najia looks up this day's {2} day and the hour branch</translation>
    </message>
    <message>
        <source>本日虽为{1}日，{1}日之程要到{2}时才开始，此时仍在上一日{3}日之程内</source>
        <translation>Though this is a {1} day, the {1} day's course begins only at the {2} double-hour: the time still lies in the course of the day before, the {3} day</translation>
    </message>
    <message>
        <source>{1}日之程始于{2}时：阳进阴退，日干即时干，时支逐日后退一位（甲戌、乙酉、丙申……壬寅）；徐凤《针灸大全》子午流注逐日按时定穴歌：“{3}”</source>
        <translation>The {1} day's course begins at the {2} double-hour: yang advances and yin retreats, the day stem is the hour stem, and the hour branch goes back one place each day (甲戌, 乙酉, 丙申 … 壬寅); Xu Feng, 《针灸大全》, verse of the daily and hourly points of 子午流注: “{3}”</translation>
    </message>
    <message>
        <source>癸日之程不依阳进阴退开于癸丑，而开于癸亥（徐凤《针灸大全》子午流注逐日按时定穴歌：“{1}”）</source>
        <translation>The 癸 day's course does not open at 癸丑 by yang advancing and yin retreating but at 癸亥 (Xu Feng, 《针灸大全》, verse of the daily and hourly points of 子午流注: “{1}”)</translation>
    </message>
    <message>
        <source>{1}时在{2}日之程内：{2}日之经{3}于{4}时开井穴，历十一时辰至{5}时{6}；值日经为{3}</source>
        <translation>The {1} double-hour lies in the {2} day's course: the {2} day's meridian, {3}, opens its jing-well point at the {4} double-hour and after eleven double-hours, at {5}, {6}; the duty meridian is {3}</translation>
    </message>
    <message>
        <source>{1}时在壬日之程（至壬子气纳三焦）之后、癸日之程（癸亥开涌泉）之前，不属任何日程，闭穴；值日经记本日之经肾经</source>
        <translation>The {1} double-hour lies after the 壬 day's course (up to 壬子, qi lodged in the Triple Energizer) and before the 癸 day's course (癸亥 opens KI1 Yǒngquán 涌泉), in no day's course: closed; the duty meridian is this day's, Kidney KI</translation>
    </message>
    <message>
        <source>{1}为{2}时，而{3}日为{4}日：阳日阳时开穴，阴日阴时开穴，此时闭穴</source>
        <translation>{1} is a {2} double-hour, and the {3} day is a {4} day: a yang day opens points in yang double-hours, a yin day in yin double-hours; closed now</translation>
    </message>
    <message>
        <source>此时为{1}日之程的首时，开{2}的井穴{3}（{4}）；歌云：“{5}”</source>
        <translation>This is the first double-hour of the {1} day's course: the jing-well point of {2}, {3} ({4}), opens; the verse says: “{5}”</translation>
    </message>
    <message>
        <source>此后每隔一时辰经生经、穴生穴（经与经、穴与穴的五行依次相生）：{1}</source>
        <translation>After it, every other double-hour, meridian engenders meridian and point engenders point (their phases engender each other in turn): {1}</translation>
    </message>
    <message>
        <source>所开之经即时干之经：时干{1}属{2}（《针灸大成》十二经纳天干歌：“{3}”）；歌云：“{4}”</source>
        <translation>The meridian opened is the hour stem's: hour stem {1} belongs to {2} (《针灸大成》, verse of the twelve meridians and the stems: “{3}”); the verse says: “{4}”</translation>
    </message>
    <message>
        <source>开俞穴时返本还原，并过值日经{1}的原穴{2}（歌云：“{3}”）</source>
        <translation>At the shu-stream point the return to the source: the source point of the duty meridian {1}, {2}, is passed too (the verse says: “{3}”)</translation>
    </message>
    <message>
        <source>开俞穴时返本还原；阴经以输代原，值日经{1}以俞穴{2}为原（歌云：“{3}”）</source>
        <translation>At the shu-stream point the return to the source; a yin meridian takes its shu-stream point for its source: the duty meridian {1} takes {2} (the verse says: “{3}”)</translation>
    </message>
    <message>
        <source>{1}寄于{2}（《针灸大成》十二经纳天干歌：“{3}”），故{2}日返本还原时兼过{1}的原穴{4}（歌云：“{5}”）</source>
        <translation>{1} lodges in {2} (《针灸大成》, verse of the twelve meridians and the stems: “{3}”), so on a {2} day the return to the source passes the source point of {1}, {4}, as well (the verse says: “{5}”)</translation>
    </message>
    <message>
        <source>日干重见：{1}时时干又为{2}。阳日气纳三焦，取生我者：{2}日之经属{3}，{4}生{3}，取三焦经属{4}的{5}穴{6}；歌云：“{7}”</source>
        <translation>The day stem comes again: at {1} the hour stem is {2} once more. On a yang day qi lodges in the Triple Energizer and takes what engenders me: the {2} day's meridian is {3}, {4} engenders {3}, so the {5} point of the Triple Energizer that is {4}, {6}; the verse says: “{7}”</translation>
    </message>
    <message>
        <source>日干重见：{1}时时干又为{2}。阴日血归包络，取我生者：{2}日之经属{3}，{3}生{4}，取心包经属{4}的{5}穴{6}；歌云：“{7}”</source>
        <translation>The day stem comes again: at {1} the hour stem is {2} once more. On a yin day blood returns to the Pericardium and takes what I engender: the {2} day's meridian is {3}, {3} engenders {4}, so the {5} point of the Pericardium that is {4}, {6}; the verse says: “{7}”</translation>
    </message>
    <message>
        <source>纳干法：值日经{1}，开{2}{4}穴{5}（{3}）</source>
        <translation>Najia: duty meridian {1}; {2} opens its {4} point {5} ({3})</translation>
    </message>
    <message>
        <source>纳干法：值日经{1}，开{2}{4}穴{5}（{3}），返本还原穴{6}</source>
        <translation>Najia: duty meridian {1}; {2} opens its {4} point {5} ({3}); return-to-source point {6}</translation>
    </message>
    <message>
        <source>纳干法：值日经{1}，开{2}{4}穴{5}（{3}），返本还原穴{6}，兼过原穴{7}</source>
        <translation>Najia: duty meridian {1}; {2} opens its {4} point {5} ({3}); return-to-source point {6}, extra source point {7}</translation>
    </message>
    <message>
        <source>纳干法：此时闭穴，值日经{1}</source>
        <translation>Najia: closed now, duty meridian {1}</translation>
    </message>
    <message>
        <source>注意：本机数据库天干表{8}日{9}时一行为值日经{1}、经脉{2}、五行{3}、五俞{4}、穴位{5}、过原{6}、兼过原穴{7}，与上述推算不同；页面按数据库显示</source>
        <translation>Note: this database's stem table has for day {8}, double-hour {9}: duty meridian {1}, meridian {2}, phase {3}, transport point {4}, point {5}, source passed {6}, extra source point {7}, which differs from the working above; the page shows the database's</translation>
    </message>
    <message>
        <source>本机数据库天干表中没有{8}日{9}时的行，纳干法页留空</source>
        <translation>This database's stem table has no row for day {8}, double-hour {9}: the Najia page stays empty</translation>
    </message>
    <message>
        <source>尚未定出时辰，纳干法无从推算</source>
        <translation>No double-hour yet: Najia cannot be worked out</translation>
    </message>
    <message>
        <source>{1}时气血流注于{2}经，其经正盛（《针灸大成》十二经纳地支歌：“{3}”）</source>
        <translation>In the {1} double-hour qi and blood flow into {2}, which is at its height (《针灸大成》, verse of the twelve meridians and the branches: “{3}”)</translation>
    </message>
    <message>
        <source>{1}经五行属{2}，本穴取本经属{2}的{3}穴{4}；原穴{5}</source>
        <translation>{1} belongs to {2}; its own point is its {2} point, the {3} point {4}; source point {5}</translation>
    </message>
    <message>
        <source>{1}经五行属{2}，本穴取本经属{2}的{3}穴{4}；原穴{5}（阴经以输代原）</source>
        <translation>{1} belongs to {2}; its own point is its {2} point, the {3} point {4}; source point {5} (a yin meridian takes its shu-stream point for its source)</translation>
    </message>
    <message>
        <source>实则泻其子（《难经·六十九难》：“虚者补其母，实者泻其子”）：{1}生{2}，于{3}经正盛之时泻其子穴，即属{2}的{4}穴{5}</source>
        <translation>In excess drain the child (《难经·六十九难》: “虚者补其母，实者泻其子”): {1} engenders {2}; while {3} is at its height its child point is drained, its {2} point, the {4} point {5}</translation>
    </message>
    <message>
        <source>虚则补其母：{1}经的时辰（{2}时）刚过，经气已衰，于本时辰补其母穴：{3}生{4}，即{1}经属{3}的{5}穴{6}</source>
        <translation>In deficiency tonify the mother: the double-hour of {1} ({2}) has just passed and its qi has waned; in this double-hour its mother point is tonified: {3} engenders {4}, so the {3} point of {1}, the {5} point {6}</translation>
    </message>
    <message>
        <source>纳支法：本穴{1}，原穴{2}，泻{4}{3}，补{6}{5}</source>
        <translation>Nazi: own point {1}, source point {2}, drain {4} {3}, tonify {6} {5}</translation>
    </message>
    <message>
        <source>注意：本机数据库地支表{7}时一行为本穴{1}、原穴{2}、泻穴{3}、本经{4}、补穴{5}、补穴经{6}，与上述推算不同；页面按数据库显示</source>
        <translation>Note: this database's branch table has for the {7} double-hour: own point {1}, source point {2}, draining point {3}, own meridian {4}, tonifying point {5}, its meridian {6}, which differs from the working above; the page shows the database's</translation>
    </message>
    <message>
        <source>本机数据库地支表中没有{7}时的行，纳支法页留空</source>
        <translation>This database's branch table has no row for the {7} double-hour: the Nazi page stays empty</translation>
    </message>
    <message>
        <source>尚未定出时辰，纳支法无从推算</source>
        <translation>No double-hour yet: Nazi cannot be worked out</translation>
    </message>
    <message>
        <source>时干法看时干：时干{1}属{2}（《针灸大成》十二经纳天干歌：“{3}”）</source>
        <translation>Shigan looks at the hour stem: hour stem {1} belongs to {2} (《针灸大成》, verse of the twelve meridians and the stems: “{3}”)</translation>
    </message>
    <message>
        <source>取{1}的井、荥、俞、经、合五输穴及原穴（五俞穴表）</source>
        <translation>The jing-well, ying-spring, shu-stream, jing-river and he-sea points of {1} and its source point (table of the five transport points)</translation>
    </message>
    <message>
        <source>时干法：{1}，井{2}、荥{3}、俞{4}、经{5}、合{6}</source>
        <translation>Shigan: {1}, jing-well {2}, ying-spring {3}, shu-stream {4}, jing-river {5}, he-sea {6}</translation>
    </message>
    <message>
        <source>时干法：{1}，井{2}、荥{3}、俞{4}、经{5}、合{6}、原{7}</source>
        <translation>Shigan: {1}, jing-well {2}, ying-spring {3}, shu-stream {4}, jing-river {5}, he-sea {6}, source {7}</translation>
    </message>
    <message>
        <source>五俞穴表中没有{8}的行，时干法页留空</source>
        <translation>The table of the five transport points has no row for {8}: the Shigan page stays empty</translation>
    </message>
    <message>
        <source>尚未定出时辰，时干法无从推算</source>
        <translation>No double-hour yet: Shigan cannot be worked out</translation>
    </message>
    <message>
        <source>日干法看日干：日干{1}属{2}经，是当日的值日经（《针灸大成》十二经纳天干歌：“{3}”）</source>
        <translation>Rigan looks at the day stem: day stem {1} belongs to {2}, the duty meridian of the day (《针灸大成》, verse of the twelve meridians and the stems: “{3}”)</translation>
    </message>
    <message>
        <source>日干法：值日经{1}，列出经络表中{1}经的腧穴共{2}个</source>
        <translation>Rigan: duty meridian {1}; the {2} points of {1} in the meridians' table are listed</translation>
    </message>
    <message>
        <source>尚未定出日干，日干法无从推算</source>
        <translation>No day stem yet: Rigan cannot be worked out</translation>
    </message>
    <message>
        <source>纳支法2看时支：{1}时气血流注于{2}经（《针灸大成》十二经纳地支歌：“{3}”）</source>
        <translation>Nazi 2 looks at the hour branch: in the {1} double-hour qi and blood flow into {2} (《针灸大成》, verse of the twelve meridians and the branches: “{3}”)</translation>
    </message>
    <message>
        <source>纳支法2：{1}经，列出经络表中{1}经的腧穴共{2}个</source>
        <translation>Nazi 2: {1}; the {2} points of {1} in the meridians' table are listed</translation>
    </message>
    <message>
        <source>尚未定出时辰，纳支法2无从推算</source>
        <translation>No double-hour yet: Nazi 2 cannot be worked out</translation>
    </message>
    <message>
        <source>纳干法此时闭穴，补穴法为之另取一穴</source>
        <translation>Najia is closed now; the supplementary method takes another point for it</translation>
    </message>
    <message>
        <source>合日互用（夫妻互用，见李梴《医学入门》）：{1}日与{2}日相合（甲已、乙庚、丙辛、丁壬、戊癸），两日的时辰干支全同；本日{3}时闭，而{2}日{3}时开{4}{5}穴{6}，取之</source>
        <translation>Paired days serve each other (husband and wife, after Li Chan, 《医学入门》): the {1} day pairs with the {2} day (甲己, 乙庚, 丙辛, 丁壬, 戊癸), whose double-hours have the same stems and branches; the {3} double-hour is closed today, while on the {2} day it opens the {5} point {6} of {4}: that point is taken</translation>
    </message>
    <message>
        <source>{1}日与合日{2}日的{3}时都闭，改用一四二五三〇规律（今人据徐氏开穴之序所归纳）</source>
        <translation>The {3} double-hour is closed both on the {1} day and on its paired {2} day: the order 1-4-2-5-3-0 is used instead (drawn by present-day authors from the order in which Xu's points open)</translation>
    </message>
    <message>
        <source>按时干取穴：六个{1}时自{2}时（{3}开井穴之时）起，时支每进二位为一时，依次取本经一井、四经、二荥、五合、三俞，第六时取日干重见所纳之穴；{4}为其第{5}时，取{6}{7}穴{8}</source>
        <translation>By the hour stem: the six {1} double-hours run from {2} (when {3} opens its jing-well point), every second branch one more, and take in turn the meridian's 1 jing-well, 4 jing-river, 2 ying-spring, 5 he-sea, 3 shu-stream, the sixth the point lodged at the day stem's return; {4} is the {5}th of them: the {7} point {8} of {6}</translation>
    </message>
    <message>
        <source>补穴法：取{1}{3}穴{4}（{2}），值日经{5}</source>
        <translation>Supplementary method: the {3} point {4} of {1} ({2}), duty meridian {5}</translation>
    </message>
    <message>
        <source>注意：本机数据库补穴表{6}日{7}时一行为经脉{1}、五行{2}、五俞{3}、穴位{4}、值日经{5}，与上述推算不同；页面按数据库显示</source>
        <translation>Note: this database's supplementary table has for day {6}, double-hour {7}: meridian {1}, phase {2}, transport point {3}, point {4}, duty meridian {5}, which differs from the working above; the page shows the database's</translation>
    </message>
    <message>
        <source>本机数据库补穴表中没有{6}日{7}时的行，补穴法页留空</source>
        <translation>This database's supplementary table has no row for day {6}, double-hour {7}: the supplementary page stays empty</translation>
    </message>
    <message>
        <source>纳干法此时不闭穴，无需补穴</source>
        <translation>Najia is not closed now: no supplementary point is needed</translation>
    </message>
    <message>
        <source>北京时间{1}（东经120°的标准时）</source>
        <translation>Beijing time {1} (the standard time of 120° E)</translation>
    </message>
    <message>
        <source>本机时间{1}，时区{2}（{3}）</source>
        <translation>Machine time {1}, time zone {2} ({3})</translation>
    </message>
    <message>
        <source>减夏令时{1}分钟 → 标准时间{2}</source>
        <translation>Summer time less {1} minutes → standard time {2}</translation>
    </message>
    <message>
        <source>折合北京时间{1}</source>
        <translation>That is Beijing time {1}</translation>
    </message>
    <message>
        <source>仅仅使用北京时间：不作经度与均时差校正，以北京时间{1}定时辰</source>
        <translation>Beijing time only: no correction by the longitude or the equation of time; Beijing time {1} sets the double-hour</translation>
    </message>
    <message>
        <source>经度校正：当地{1}，与{2}相差{3}°，每度4分钟，{4} → 地方平太阳时{5}</source>
        <translation>Longitude: here {1}, {3}° from {2}, 4 minutes a degree, {4} → local mean solar time {5}</translation>
    </message>
    <message>
        <source>均时差（{1}）：{2} → 真太阳时{3}</source>
        <translation>Equation of time ({1}): {2} → true solar time {3}</translation>
    </message>
    <message>
        <source>{1}在{2}之间，为{3}时（时辰模式：{4}）</source>
        <translation>{1} lies within {2}: the {3} double-hour (double-hour mode: {4})</translation>
    </message>
    <message>
        <source>不区分夜子时早子时：23时起已属次日，日期作{1}</source>
        <translation>No late and early Zi hour: from 23:00 the next day has begun; the date counts as {1}</translation>
    </message>
    <message>
        <source>日干支：{1}距1949-10-01（甲子日）{2}日，{2} mod 60 = {3}，六十甲子第{4}位，为{5}日</source>
        <translation>Day stem-branch: {1} is {2} days after 1949-10-01 (a 甲子 day), {2} mod 60 = {3}, place {4} of the sixty: a {5} day</translation>
    </message>
    <message>
        <source>区分夜子时早子时：23时为夜子时，日干支仍按本日，时干从次日{1}起算</source>
        <translation>Late and early Zi hour: 23:00 begins the late Zi hour; the day's stem and branch stay this day's, the hour stem is counted from the next day's {1}</translation>
    </message>
    <message>
        <source>五鼠遁：{1}日子时起{2}（“{3}”），顺数至{4}时为{5}</source>
        <translation>The five rats (五鼠遁): on a {1} day the 子 double-hour begins at {2} (“{3}”); counted on to the {4} double-hour: {5}</translation>
    </message>
    <message>
        <source>时间本次未能计算（{1}），各页仍显示上一次的结果</source>
        <translation>The time could not be worked out this time ({1}); the pages still show the last result</translation>
    </message>
    <message>
        <source>尚未计算出时间</source>
        <translation>No time worked out yet</translation>
    </message>
    <message>
        <source>尚未定出时辰（{1}）</source>
        <translation>No double-hour yet ({1})</translation>
    </message>
    <message>
        <source>时辰模式无法识别，时辰未变</source>
        <translation>The double-hour mode is not one the program knows; the double-hour is unchanged</translation>
    </message>
    <message>
        <source>日干支{1}，时干支{2}</source>
        <translation>Day stem-branch {1}, hour stem-branch {2}</translation>
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
    <message>
        <source>表 {1} 没有列 {2}</source>
        <translation>Table {1} has no column {2}</translation>
    </message>
    <message>
        <source>没有要修改的列</source>
        <translation>No column to change</translation>
    </message>
    <message>
        <source>这个 Qt 不支持 GBK 编码（需要以 ICU 构建的 Qt），无法读写 GBK 文本文件</source>
        <translation>This Qt has no GBK codec (it needs a Qt built with ICU); GBK text files cannot be read or written</translation>
    </message>
    <message>
        <source>文本含有 GBK 无法表示的字符“%1”（%2，第 %3 个字符）</source>
        <translation>The text holds the character "%1" (%2, character %3), which GBK cannot represent</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>无法写入文件 %1：%2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>{1} 需要 {2} 个值，得到 {3} 个</source>
        <translation>{1} needs {2} values, got {3}</translation>
    </message>
    <message>
        <source>数据库没有打开</source>
        <translation>The database is not open</translation>
    </message>
    <message>
        <source>没有给出文件路径</source>
        <translation>no file path was given</translation>
    </message>
    <message>
        <source>数据库连接名 %1 已被另一个连接使用</source>
        <translation>The database connection name %1 is in use by another connection</translation>
    </message>
    <message>
        <source>Qt 的 SQLite 驱动（QSQLITE）不可用</source>
        <translation>Qt's SQLite driver (QSQLITE) is not available</translation>
    </message>
    <message>
        <source>数据库里没有任何表</source>
        <translation>the database has no tables</translation>
    </message>
    <message>
        <source>缺少表 %1</source>
        <translation>table %1 is missing</translation>
    </message>
    <message>
        <source>表 %1 缺少列 %2</source>
        <translation>table %1 has no column %2</translation>
    </message>
    <message>
        <source>无法为设置表 xxyy 添加列 %1（%2）</source>
        <translation>cannot add the column %1 to the settings table xxyy (%2)</translation>
    </message>
    <message>
        <source>无法添加表 %1（%2）</source>
        <translation>cannot add the table %1 (%2)</translation>
    </message>
    <message>
        <source>数据库文件 %1 是只读的，无法改为可写（%2），修改没有保存</source>
        <translation>The database file %1 is read-only and cannot be made writable (%2); the change was not saved</translation>
    </message>
    <message>
        <source>无法以可写方式重新打开（%1）</source>
        <translation>it cannot be reopened for writing (%1)</translation>
    </message>
    <message>
        <source>数据库文件原为只读，已改为可写：%1</source>
        <translation>The database file was read-only and has been made writable: %1</translation>
    </message>
    <message>
        <source>数据库从未打开过，无法重新打开</source>
        <translation>The database was never opened, so it cannot be reopened</translation>
    </message>
    <message>
        <source>无法打开数据库 %1：%2</source>
        <translation>Cannot open the database %1: %2</translation>
    </message>
    <message>
        <source>未知错误</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>这是一个文件夹，不是数据库文件</source>
        <translation>it is a folder, not a database file</translation>
    </message>
    <message>
        <source>这是一个命名管道（FIFO），不是数据库文件</source>
        <translation>it is a named pipe (FIFO), not a database file</translation>
    </message>
    <message>
        <source>这是一个套接字，不是数据库文件</source>
        <translation>it is a socket, not a database file</translation>
    </message>
    <message>
        <source>这是一个设备，不是数据库文件</source>
        <translation>it is a device, not a database file</translation>
    </message>
    <message>
        <source>这不是普通文件，不是数据库文件</source>
        <translation>it is not a regular file, so not a database file</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>文件无法读取（%1）</source>
        <translation>the file cannot be read (%1)</translation>
    </message>
    <message>
        <source>文件是空的（0 字节）</source>
        <translation>the file is empty (0 bytes)</translation>
    </message>
    <message>
        <source>文件已损坏或不是 SQLite 数据库</source>
        <translation>the file is damaged or not an SQLite database</translation>
    </message>
    <message>
        <source>文件已损坏或不是 SQLite 数据库（%1）</source>
        <translation>the file is damaged or not an SQLite database (%1)</translation>
    </message>
    <message>
        <source>，请关闭它后重试（等了 %1 秒仍未解除；%2）</source>
        <translation>; close it and try again (still locked after %1 s; %2)</translation>
    </message>
    <message>
        <source>%1。这次的读写没有完成。</source>
        <translation>The database could not be read or written: %1.</translation>
    </message>
    <message>
        <source>数据库文件不可写，修改没有保存（%1）</source>
        <translation>The database file cannot be written; the change was not saved (%1)</translation>
    </message>
    <message>
        <source>磁盘空间不足，修改没有保存（%1）</source>
        <translation>The disk is full; the change was not saved (%1)</translation>
    </message>
    <message>
        <source>读写数据库文件时发生 I/O 错误，修改没有保存（%1）</source>
        <translation>An I/O error occurred while reading or writing the database file; the change was not saved (%1)</translation>
    </message>
    <message>
        <source>数据库错误：%1</source>
        <translation>Database error: %1</translation>
    </message>
    <message>
        <source>表 {1} 没有这一行（rowid {2}），它可能已被删除</source>
        <translation>Table {1} has no such row (rowid {2}); it may have been deleted</translation>
    </message>
    <message>
        <source>数据库正被其他程序锁定</source>
        <translation>the database is locked by another program</translation>
    </message>
    <message>
        <source>程序文件夹未知：无法读取 /proc/self/exe</source>
        <translation>The program's folder is unknown: /proc/self/exe cannot be read</translation>
    </message>
    <message>
        <source>无法建立用户数据文件夹 %1</source>
        <translation>Cannot create the user data folder %1</translation>
    </message>
    <message>
        <source>无法把默认数据库 %1 复制到 %2</source>
        <translation>Cannot copy the default database %1 to %2</translation>
    </message>
    <message>
        <source>磁盘空间不足（%1）</source>
        <translation>the disk is full (%1)</translation>
    </message>
    <message>
        <source>读写设备时发生 I/O 错误（%1）</source>
        <translation>an I/O error occurred on the device (%1)</translation>
    </message>
    <message>
        <source>文件超出了系统允许的大小（%1）</source>
        <translation>the file is larger than the system allows (%1)</translation>
    </message>
    <message>
        <source>；原有的文件保持不变</source>
        <translation>; the existing file is unchanged</translation>
    </message>
    <message>
        <source>门诊设置的 {1} 不能读取（{2}）：{3}</source>
        <translation>{1} of 门诊设置 cannot be read ({2}): {3}</translation>
    </message>
    <message>
        <source>治疗方案需要一个名称</source>
        <translation>A treatment plan needs a name</translation>
    </message>
    <message>
        <source>治疗方案的名称前后不能有空格：“{1}”</source>
        <translation>A treatment plan's name cannot begin or end with a space: "{1}"</translation>
    </message>
    <message>
        <source>治疗方案“{1}”没有穴位</source>
        <translation>The treatment plan "{1}" has no points</translation>
    </message>
    <message>
        <source>治疗方案“{1}”有一个空的穴位</source>
        <translation>The treatment plan "{1}" has an empty point</translation>
    </message>
    <message>
        <source>穴位“{1}”含有分隔符“{2}”，无法保存</source>
        <translation>The point "{1}" holds the separator "{2}" and cannot be saved</translation>
    </message>
    <message>
        <source>应为 0 到 1440 分钟</source>
        <translation>it should be 0 to 1440 minutes</translation>
    </message>
    <message>
        <source>提醒时间应为 0 到 1440 分钟</source>
        <translation>The reminder time should be 0 to 1440 minutes</translation>
    </message>
    <message>
        <source> 等 {1} 个</source>
        <translation> … ({1} in all)</translation>
    </message>
    <message>
        <source>{1}不完整：应有{2}，实际 {3} 行</source>
        <translation>{1} is incomplete: it should have{2}; it has {3} rows</translation>
    </message>
    <message>
        <source>；缺少 {1}</source>
        <translation>; missing {1}</translation>
    </message>
    <message>
        <source>；键不对的行 {1}</source>
        <translation>; rows with a wrong key {1}</translation>
    </message>
    <message>
        <source>；重复 {1}</source>
        <translation>; doubled {1}</translation>
    </message>
    <message>
        <source> 120 行（日干甲乙丙丁戊已庚辛壬癸 × 时支子至亥，各一行）</source>
        <translation> 120 rows (day stems 甲乙丙丁戊已庚辛壬癸 × hour branches 子 to 亥, one row each)</translation>
    </message>
    <message>
        <source> 12 行（时辰子至亥，各一行）</source>
        <translation> 12 rows (double-hours 子 to 亥, one row each)</translation>
    </message>
    <message>
        <source> {1} 行（天干表每个闭穴时辰一行）</source>
        <translation> {1} rows (one for each closed double-hour of 天干表)</translation>
    </message>
    <message>
        <source> 12 行（十二经各一行：胆经、肝经……）</source>
        <translation> 12 rows (one for each of the twelve meridians: 胆经, 肝经 …)</translation>
    </message>
    <message>
        <source>十二经（胆、肝……）每经至少一个穴位</source>
        <translation> at least one point on each of the twelve meridians (胆, 肝 …)</translation>
    </message>
    <message>
        <source>{1}经的穴位</source>
        <translation>points on {1}经</translation>
    </message>
    <message>
        <source>数据库 {1} 的{2}</source>
        <translation>Database {1}: {2}</translation>
    </message>
    <message>
        <source>穴位说明的查询没有返回行号</source>
        <translation>The query of 穴位说明 returned no row number</translation>
    </message>
    <message>
        <source>第 {1} 行：{2}</source>
        <translation>Line {1}: {2}</translation>
    </message>
    <message>
        <source>没有这一列：{1}</source>
        <translation>No such column: {1}</translation>
    </message>
    <message>
        <source>设置表 xxyy 没有列 {1}</source>
        <translation>The settings table xxyy has no column {1}</translation>
    </message>
    <message>
        <source>无法在设置表 xxyy 中建立默认设置</source>
        <translation>Cannot create the default settings in the settings table xxyy</translation>
    </message>
    <message>
        <source>数据库的设置表 xxyy 中没有设置记录，已按默认设置（北京，东经 116.28°）新建一条。</source>
        <translation>The database's settings table xxyy had no settings record; one with the default settings (Beijing, 116.28° E) was created.</translation>
    </message>
    <message>
        <source>设置记录没有打开</source>
        <translation>The settings record is not open</translation>
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
    <name>ui</name>
    <message>
        <source>修改系统时间</source>
        <translation>Set the system clock</translation>
    </message>
    <message>
        <source>没有找到本机桌面的日期和时间设置程序（已查找：%1）。
请在桌面的系统设置中修改日期和时间。</source>
        <translation>No date and time settings program of this desktop was found (looked for: %1).
Please change the date and time in the desktop's system settings.</translation>
    </message>
    <message>
        <source>无法启动日期和时间设置程序 %1。</source>
        <translation>The date and time settings program %1 cannot be started.</translation>
    </message>
    <message>
        <source>%1 %2 的推算
</source>
        <translation>How %1 %2 is worked out
</translation>
    </message>
    <message>
        <source>北京时间</source>
        <translation>Beijing time</translation>
    </message>
    <message>
        <source>为什么？</source>
        <translation>Why?</translation>
    </message>
    <message>
        <source>复制全部</source>
        <translation>Copy all</translation>
    </message>
    <message>
        <source>已保存：%1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>是否删除当前选择的记录?</source>
        <translation>Delete the selected record?</translation>
    </message>
    <message>
        <source>没有可删除的记录</source>
        <translation>There is no record to delete</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>新增的记录“%1”还没有保存。是否保存？</source>
        <translation>The new record "%1" is not saved yet. Save it?</translation>
    </message>
    <message>
        <source>对“%1”的修改还没有保存。是否保存？</source>
        <translation>The changes to "%1" are not saved yet. Save them?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don't save</translation>
    </message>
    <message>
        <source>继续编辑</source>
        <translation>Keep editing</translation>
    </message>
    <message>
        <source>流注图</source>
        <translation>Dial</translation>
    </message>
    <message>
        <source>程序已经在运行（%1）。</source>
        <translation>The program is already running (%1).</translation>
    </message>
    <message>
        <source>程序已经在运行，已切换到它的窗口；它没有接受本次给出的 %1。</source>
        <translation>The program is already running and its window was brought up; it did not take the %1 given this time.</translation>
    </message>
    <message>
        <source>打开穴位说明&gt;&gt;</source>
        <translation>Point descriptions&gt;&gt;</translation>
    </message>
    <message>
        <source>&lt;&lt;关闭穴位说明</source>
        <translation>&lt;&lt;Close descriptions</translation>
    </message>
    <message>
        <source>关于国外真太阳时：
在国外，用机器时间减去夏令时，得到的只是当地的平时，还必须再考虑所在的时区，才能与北京时间相互换算。
由北京时间推算日干支很容易；由国外的时间推算日干支却不容易。国际日期变更线是人为规定的，干支日究竟应当从北京向东延续还是向西延续，并无定论，所以干支的日界线未必与国际日期变更线一致。假如有人正好站在日期变更线上，他的一只脚踏在甲子日，另一只脚却踏在乙丑日。
真太阳时也解决不了日期变更线的问题；在南半球（例如澳大利亚），连月柱都难以确定。
因此本软件倾向于认为北京时间是定律，不推荐使用真太阳时，只是把它作为一种选择提供给用户。</source>
        <translation>On true solar time abroad:
Abroad, the machine's clock less summer time gives only the local standard time; the time zone must be taken into account as well before it can be converted to and from Beijing time.
The stem and branch of the day follow easily from Beijing time, but not from a time abroad. The international date line is a convention, and whether the sexagenary days run on eastward or westward from Beijing is not settled, so the day line of the stems and branches need not be the international date line. Someone standing on the date line would have one foot on a Jiazi day and the other on a Yichou day.
True solar time does not settle the date line either; in the southern hemisphere (Australia, say) even the month pillar is hard to fix.
This program therefore holds Beijing time as the rule and does not recommend true solar time; it only offers it as a choice.</translation>
    </message>
    <message>
        <source>提示音 %1 无法播放（%2），时辰变换只在窗口中提示。</source>
        <translation>The notice sound %1 cannot be played (%2); a new double-hour is shown in the window only.</translation>
    </message>
    <message>
        <source>英文目录 %1 无法读取，界面仍用中文。</source>
        <translation>The English catalogue %1 cannot be read; the window stays in Chinese.</translation>
    </message>
    <message>
        <source>没有相关穴位图片!</source>
        <translation>There is no picture of this point!</translation>
    </message>
    <message>
        <source>北京时间是定律</source>
        <translation>Beijing time is the rule</translation>
    </message>
    <message>
        <source>按时区数据库：</source>
        <translation>By the tz database:</translation>
    </message>
    <message>
        <source>时差与夏令时按所选时区在此时刻的规定自动得出</source>
        <translation>Offset and summer time follow from the chosen zone's rules at each moment</translation>
    </message>
    <message>
        <source>均时差：</source>
        <translation>Equation of time:</translation>
    </message>
    <message>
        <source>天干写法：</source>
        <translation>Sixth stem:</translation>
    </message>
    <message>
        <source>第六天干在页面、开穴表、报告与导出文件中的写法；数据库中的表不变</source>
        <translation>How the sixth stem is written on the pages, the schedule, the reports and exported files; the database's tables stay as they are</translation>
    </message>
    <message>
        <source>设置中的时区“%1”不在本机的时区数据库中，仍按固定时区“%2”计算。</source>
        <translation>The zone "%1" of the settings is not in this machine's tz database; the fixed zone "%2" is used.</translation>
    </message>
    <message>
        <source>设置中的时区“%1”的时差无法读取，国外页不计算，请重新选择时区。</source>
        <translation>The offset of the zone "%1" of the settings cannot be read; the abroad page works nothing out. Please choose the zone again.</translation>
    </message>
    <message>
        <source>设置中的时区“%1”不是已知的时区，按格林威治时间（GMT）计算。</source>
        <translation>The zone "%1" of the settings is not a known zone; Greenwich time (GMT) is used.</translation>
    </message>
    <message>
        <source>时辰变换时需要音乐和对话框提示</source>
        <translation>Sound and notice at each new double-hour</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>关闭(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>定位(&amp;L)</source>
        <translation>&amp;Go to</translation>
    </message>
    <message>
        <source>子午流注纳干法（徐氏）</source>
        <translation>Najia — stem method (after Xu)</translation>
    </message>
    <message>
        <source>子午流注纳支法</source>
        <translation>Nazi — branch method</translation>
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
        <source>纳干法之日干法(少用)</source>
        <translation>Rigan — day-stem method (rarely used)</translation>
    </message>
    <message>
        <source>纳干法之时干法(少用)</source>
        <translation>Shigan — hour-stem method (rarely used)</translation>
    </message>
    <message>
        <source>纳支法(少人用)</source>
        <translation>Nazi 2 — whole meridian (rarely used)</translation>
    </message>
    <message>
        <source>管理(&amp;M)</source>
        <translation>&amp;Manage</translation>
    </message>
    <message>
        <source>穴位说明管理</source>
        <translation>Point descriptions</translation>
    </message>
    <message>
        <source>东经度数</source>
        <translation>East longitudes</translation>
    </message>
    <message>
        <source>开穴表(&amp;T)</source>
        <translation>Opening &amp;schedule</translation>
    </message>
    <message>
        <source>相关知识(&amp;K)</source>
        <translation>&amp;Knowledge</translation>
    </message>
    <message>
        <source>真太阳时(&amp;S)</source>
        <translation>True &amp;solar time</translation>
    </message>
    <message>
        <source>时辰模式(&amp;T)</source>
        <translation>&amp;Time modes</translation>
    </message>
    <message>
        <source> 帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source> 关于...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>免责声明</source>
        <translation>Disclaimer</translation>
    </message>
    <message>
        <source>作者声明:使用本软件所引起的一切后果作者一概不负任何责任!</source>
        <translation>The author accepts no responsibility whatever for any consequence of using this program!</translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation>System</translation>
    </message>
    <message>
        <source>中国国内</source>
        <translation>China</translation>
    </message>
    <message>
        <source>国际国外</source>
        <translation>Abroad</translation>
    </message>
    <message>
        <source>请输入当地东经度数[0-180]</source>
        <translation>Enter the local east longitude [0-180]</translation>
    </message>
    <message>
        <source>现在北京时间是：</source>
        <translation>Beijing time now:</translation>
    </message>
    <message>
        <source>当地东经度数[0-180]：</source>
        <translation>East longitude [0-180]:</translation>
    </message>
    <message>
        <source>当地真太阳时是：          </source>
        <translation>Local true solar time:</translation>
    </message>
    <message>
        <source>现在机器时间是：</source>
        <translation>Machine time now:</translation>
    </message>
    <message>
        <source>减夏令时(分钟)：</source>
        <translation>Less summer time (min):</translation>
    </message>
    <message>
        <source>十进制小数表示度数</source>
        <translation>Degrees as a decimal number</translation>
    </message>
    <message>
        <source>时区：</source>
        <translation>Time zone:</translation>
    </message>
    <message>
        <source>现在北京时间是：          </source>
        <translation>Beijing time now: </translation>
    </message>
    <message>
        <source>钟表回拨的那一夜，这一时刻出现两次：请选择是哪一次</source>
        <translation>The night the clocks go back this time comes twice: choose which</translation>
    </message>
    <message>
        <source>设置常用</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>设置时辰模式</source>
        <translation>Time mode</translation>
    </message>
    <message>
        <source>重要说明！！！</source>
        <translation>Important!</translation>
    </message>
    <message>
        <source>仅仅使用北京时间</source>
        <translation>Beijing time only</translation>
    </message>
    <message>
        <source>是否自动计算</source>
        <translation>Follow the clock</translation>
    </message>
    <message>
        <source>关闭提示</source>
        <translation>Close the notice</translation>
    </message>
    <message>
        <source>穴位说明：</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>请先用鼠标点击有颜色方框内才有穴位说明！！！</source>
        <translation>Click a coloured box first to see its point's description!</translation>
    </message>
    <message>
        <source>当前穴位的图片</source>
        <translation>Picture of the point</translation>
    </message>
    <message>
        <source>纳干法(徐氏)</source>
        <translation>Najia (Xu)</translation>
    </message>
    <message>
        <source>值日经：</source>
        <translation>Duty meridian:</translation>
    </message>
    <message>
        <source>穴位经脉：</source>
        <translation>Point's meridian:</translation>
    </message>
    <message>
        <source>穴位五行：</source>
        <translation>Phase:</translation>
    </message>
    <message>
        <source>穴位五俞：</source>
        <translation>Transport point:</translation>
    </message>
    <message>
        <source>穴位：</source>
        <translation>Point:</translation>
    </message>
    <message>
        <source>返本还原穴：</source>
        <translation>Return-to-source point:</translation>
    </message>
    <message>
        <source>兼过原穴：</source>
        <translation>Extra source:</translation>
    </message>
    <message>
        <source>纳支法</source>
        <translation>Nazi</translation>
    </message>
    <message>
        <source>本穴：</source>
        <translation>Own point:</translation>
    </message>
    <message>
        <source>原穴：</source>
        <translation>Source point:</translation>
    </message>
    <message>
        <source>泻穴：</source>
        <translation>Draining:</translation>
    </message>
    <message>
        <source>本穴经：</source>
        <translation>Own meridian:</translation>
    </message>
    <message>
        <source>补穴：</source>
        <translation>Tonifying:</translation>
    </message>
    <message>
        <source>补穴经：</source>
        <translation>Tonifying meridian:</translation>
    </message>
    <message>
        <source> 八法交会配穴：</source>
        <translation>Partner:</translation>
    </message>
    <message>
        <source>飞腾八法：</source>
        <translation>Feiteng:</translation>
    </message>
    <message>
        <source> 八脉交会配穴：</source>
        <translation> Partner (eight vessels):</translation>
    </message>
    <message>
        <source>补穴法</source>
        <translation>Supplementary</translation>
    </message>
    <message>
        <source>补穴法值日经：</source>
        <translation>Duty meridian (suppl.):</translation>
    </message>
    <message>
        <source>补穴位经脉：</source>
        <translation>Meridian (suppl.):</translation>
    </message>
    <message>
        <source>补穴位：</source>
        <translation>Supplementary point:</translation>
    </message>
    <message>
        <source>补穴位五行：</source>
        <translation>Phase (suppl.):</translation>
    </message>
    <message>
        <source>补穴位五俞：</source>
        <translation>Transport point (suppl.):</translation>
    </message>
    <message>
        <source>日干法</source>
        <translation>Rigan</translation>
    </message>
    <message>
        <source>时干法</source>
        <translation>Shigan</translation>
    </message>
    <message>
        <source>经络：</source>
        <translation>Meridian:</translation>
    </message>
    <message>
        <source>井，所出：</source>
        <translation>Jing-well, where it issues:</translation>
    </message>
    <message>
        <source>荥，所溜：</source>
        <translation>Ying-spring, where it glides:</translation>
    </message>
    <message>
        <source>俞，所注：</source>
        <translation>Shu-stream, where it pours:</translation>
    </message>
    <message>
        <source>经，所行：</source>
        <translation>Jing-river, where it flows:</translation>
    </message>
    <message>
        <source>合，所入：</source>
        <translation>He-sea, where it enters:</translation>
    </message>
    <message>
        <source>原(总刺)，所过：</source>
        <translation>Source, where it passes:</translation>
    </message>
    <message>
        <source>纳支法2</source>
        <translation>Nazi 2</translation>
    </message>
    <message>
        <source>此页结果的推算过程及其出处（F2）</source>
        <translation>How this page's result is worked out, and its sources (F2)</translation>
    </message>
    <message>
        <source>闭穴时可以采用补穴方法&gt;&gt;</source>
        <translation>Closed hour: supplementary points&gt;&gt;</translation>
    </message>
    <message>
        <source>今日日干支是：</source>
        <translation>Day stem-branch:</translation>
    </message>
    <message>
        <source>时干支是：</source>
        <translation>Hour stem-branch:</translation>
    </message>
    <message>
        <source>新：穴位反推功能</source>
        <translation>New: reverse lookup</translation>
    </message>
    <message>
        <source>免责声明：使用本软件引起的一切后果，作者一概不负任何责任。</source>
        <translation>Disclaimer: the author accepts no liability for any consequence of use.</translation>
    </message>
    <message>
        <source>2013年6月更新V4.5</source>
        <translation>V4.5, June 2013</translation>
    </message>
    <message>
        <source>纳干法（徐氏）补穴法</source>
        <translation>Najia (after Xu) — supplementary points</translation>
    </message>
    <message>
        <source>所有腧穴：</source>
        <translation>All points:</translation>
    </message>
    <message>
        <source>说明：全部的腧穴尚有未输入!</source>
        <translation>Note: not every point has been entered yet!</translation>
    </message>
    <message>
        <source>为什么？— %1</source>
        <translation>Why? — %1</translation>
    </message>
    <message>
        <source>东经 0–180</source>
        <translation>East longitude 0–180</translation>
    </message>
    <message>
        <source>减夏令时: 分钟数 -1440–1440</source>
        <translation>Summer time: minutes -1440–1440</translation>
    </message>
    <message>
        <source>经度 0–180</source>
        <translation>Longitude 0–180</translation>
    </message>
    <message>
        <source>第一次 %1 %2</source>
        <translation>First %1 %2</translation>
    </message>
    <message>
        <source>第二次 %1 %2</source>
        <translation>Second %1 %2</translation>
    </message>
    <message>
        <source>钟表拨快，此时刻不存在，按 %1 计算</source>
        <translation>The clocks skip this time; taken as %1</translation>
    </message>
    <message>
        <source>，还有 %1 分钟</source>
        <translation>, %1 minutes left</translation>
    </message>
    <message>
        <source>%1 刷新出错，页面未全部更新。%2</source>
        <translation>%1: the refresh failed and the pages are not all up to date. %2</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>时辰</source>
        <translation>Double-hour</translation>
    </message>
    <message>
        <source>开穴</source>
        <translation>Opens</translation>
    </message>
    <message>
        <source>钟表时间</source>
        <translation>Clock time</translation>
    </message>
    <message>
        <source>穴位图片</source>
        <translation>Point picture</translation>
    </message>
    <message>
        <source>无法读取地点列表 %1：%2</source>
        <translation>The place list %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>地点列表 %1 太大（%2 字节，最多 %3 字节），没有读入</source>
        <translation>The place list %1 is too large (%2 bytes, at most %3) and was not read</translation>
    </message>
    <message>
        <source>“%1”后面没有东经度数，经度没有改变</source>
        <translation>"%1" has no east longitude after it; the longitude is unchanged</translation>
    </message>
    <message>
        <source>穴位反推功能</source>
        <translation>Reverse lookup</translation>
    </message>
    <message>
        <source>下面是“%1”（%2 到 %3）的结果，与上面的穴位或日期已不相符：请按“穴位反查”重新查找，然后再导出。</source>
        <translation>Below are the results for "%1" (%2 to %3), which no longer match the point or dates above: press "Look up" to search again, then export.</translation>
    </message>
    <message>
        <source>没有地点设置，无法显示钟表时间</source>
        <translation>No place is set: clock times cannot be shown</translation>
    </message>
    <message>
        <source>主窗口的经度、时区或夏令时设置无法使用，不能显示钟表时间</source>
        <translation>The main window's longitude, zone or summer time cannot be used: clock times cannot be shown</translation>
    </message>
    <message>
        <source>（查找因错误而中断：%1；以上是中断前找到的结果）</source>
        <translation>(the search stopped on an error: %1; above is what it found before)</translation>
    </message>
    <message>
        <source>（已取消：查找在“%1”开始前停止，其后的方法未查；以上是取消前找到的结果）</source>
        <translation>(cancelled: the search stopped before "%1"; the doctrines after it were not searched; above is what it found before)</translation>
    </message>
    <message>
        <source>（已取消：“%1”只查到 %2，其后的日期和方法未查；以上是取消前找到的结果）</source>
        <translation>(cancelled: "%1" was searched up to %2 only; the dates and doctrines after it were not searched; above is what it found before)</translation>
    </message>
    <message>
        <source>，已查到 %1</source>
        <translation>, up to %1</translation>
    </message>
    <message>
        <source>正在查找：%1%2（%p%）</source>
        <translation>Searching: %1%2 (%p%)</translation>
    </message>
    <message>
        <source>导出为文本</source>
        <translation>Export as text</translation>
    </message>
    <message>
        <source>正在导出为文本…</source>
        <translation>Exporting as text…</translation>
    </message>
    <message>
        <source>报告第 %1 行第 %2 个字符“%3”（%4）无法用 GBK 编码保存，文件没有写入。</source>
        <translation>Character %2 of line %1 of the report, "%3" (%4), cannot be saved in GBK; the file was not written.</translation>
    </message>
    <message>
        <source>成功保存</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>没有可导出的开穴时间：请先查找</source>
        <translation>There are no openings to export: search first</translation>
    </message>
    <message>
        <source>导出为日历</source>
        <translation>Export as calendar</translation>
    </message>
    <message>
        <source>正在导出为日历…</source>
        <translation>Exporting as calendar…</translation>
    </message>
    <message>
        <source>日历文件没有写入：%1</source>
        <translation>The calendar file was not written: %1</translation>
    </message>
    <message>
        <source>成功保存 %1 个开穴时间</source>
        <translation>Saved %1 openings</translation>
    </message>
    <message>
        <source>要查找的穴位名称：</source>
        <translation>Point to look up:</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>穴位反查</source>
        <translation>Look up</translation>
    </message>
    <message>
        <source>(根据穴位名查询什么时间应开此穴)</source>
        <translation>(when does a doctrine open this point)</translation>
    </message>
    <message>
        <source>日期从：</source>
        <translation>Dates from:</translation>
    </message>
    <message>
        <source>到</source>
        <translation>to</translation>
    </message>
    <message>
        <source>显示钟表时间</source>
        <translation>Show clock times</translation>
    </message>
    <message>
        <source>注意：以不区分夜早子时为计算依据，例如 "2013-6-9子时"指2013-6-8 23:00到2013-6-9 00:59:59</source>
        <translation>Note: worked out with late and early Zi as one; "2013-6-9 Zi" means 2013-6-8 23:00 to 2013-6-9 00:59:59</translation>
    </message>
    <message>
        <source>停止查找</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>闭穴时</source>
        <translation>closed hour</translation>
    </message>
    <message>
        <source>参考表尚未读入，无法计算开穴表。</source>
        <translation>The reference tables are not read yet: the schedule cannot be worked out.</translation>
    </message>
    <message>
        <source>主窗口的经度、时区或夏令时尚不能计算，开穴表暂无钟表时间。</source>
        <translation>The main window's longitude, zone or summer time cannot be worked out yet: the schedule has no clock times for now.</translation>
    </message>
    <message>
        <source>这个时辰没有钟表时间，主窗口无法转到它。</source>
        <translation>This double-hour has no clock time: the main window cannot go to it.</translation>
    </message>
    <message>
        <source>开穴表无法打印。</source>
        <translation>The schedule cannot be printed.</translation>
    </message>
    <message>
        <source>开穴表</source>
        <translation>Opening schedule</translation>
    </message>
    <message>
        <source>开穴表 打印预览</source>
        <translation>Opening schedule — print preview</translation>
    </message>
    <message>
        <source>开穴表 %1.pdf</source>
        <translation>Opening schedule %1.pdf</translation>
    </message>
    <message>
        <source>导出PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>开穴表无法绘制。</source>
        <translation>The schedule cannot be drawn.</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>这是一个文件夹，不是文本文件</source>
        <translation>This is a folder, not a text file</translation>
    </message>
    <message>
        <source>文件过大（%1 字节），不是帮助文本</source>
        <translation>The file is too large (%1 bytes) to be a help text</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>显示文本窗口</source>
        <translation>Show the text window</translation>
    </message>
    <message>
        <source>穴名：随语言</source>
        <translation>Point names: as the language writes them</translation>
    </message>
    <message>
        <source>穴名：中文</source>
        <translation>Point names: Chinese</translation>
    </message>
    <message>
        <source>穴名：代码 + 拼音</source>
        <translation>Point names: code + pinyin</translation>
    </message>
    <message>
        <source>穴名：两者</source>
        <translation>Point names: both</translation>
    </message>
    <message>
        <source>固定表（默认）</source>
        <translation>Fixed table (default)</translation>
    </message>
    <message>
        <source>天文计算</source>
        <translation>Computed</translation>
    </message>
    <message>
        <source>已（默认）</source>
        <translation>已 (default)</translation>
    </message>
    <message>
        <source>按当年中国夏令时读钟表</source>
        <translation>China's summer time</translation>
    </message>
    <message>
        <source>1986–1991 年等中国实行夏令时期间的时刻，勾选后按当时快一小时的钟表计算；不勾选（默认）一律按北京时间计算</source>
        <translation>Checked, a moment within China's summer time (1986–1991 and others) is read from the clocks of the time, one hour ahead; unchecked (the default), always as Beijing time</translation>
    </message>
    <message>
        <source>设置中的时辰模式“%1”无法识别，暂按“%2”计算；请在“设置时辰模式”中选择一种。</source>
        <translation>The double-hour mode “%1” in the settings is not one the program knows; it counts with “%2” for now. Choose a mode under “Double-hour mode”.</translation>
    </message>
    <message>
        <source>只读方式运行</source>
        <translation>running read-only</translation>
    </message>
    <message>
        <source>数据库被其他程序锁定，稍后自动重试</source>
        <translation>the database is locked by another program; retried shortly</translation>
    </message>
    <message>
        <source>数据库被其他程序锁定，修改没有保存，稍后再试</source>
        <translation>the database is locked by another program; the change was not saved, try again later</translation>
    </message>
    <message>
        <source>修改没有保存</source>
        <translation>the change was not saved</translation>
    </message>
    <message>
        <source>%1 未保存（%2）</source>
        <translation>%1 not saved (%2)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>无法建立锁文件 %1：%2。程序以只读方式运行：设置的修改只在本次运行中有效，不会保存。</source>
        <translation>The lock file %1 cannot be made: %2. The program runs read-only: changes of the settings hold for this run only and are not saved.</translation>
    </message>
    <message>
        <source>无法建立锁文件 %1：%2。程序照常运行，但设置的修改可能无法保存，也不能防止另一个程序同时使用这个数据库。</source>
        <translation>The lock file %1 cannot be made: %2. The program runs as usual, but changes of the settings may not be saved, and nothing keeps another program from using this database at the same time.</translation>
    </message>
    <message>
        <source>已避开人神：略去 %1 个正当人神所在的开穴。</source>
        <translation>人神 avoided: %1 openings where the 人神 dwells left out.</translation>
    </message>
    <message>
        <source>避开人神</source>
        <translation>Avoid the 人神</translation>
    </message>
    <message>
        <source>略去正当人神所在（逐日、十二时人神，及主窗口所填年岁的行年人神、尻神）的开穴</source>
        <translation>Leave out the openings where the 人神 dwells (of the lunar day and of the double-hour, and of the year of age and the 尻神 for the age given in the main window)</translation>
    </message>
    <message>
        <source>略去正当人神所在的开穴（该格留空）</source>
        <translation>Leave out the openings where the 人神 dwells (the cell stays empty)</translation>
    </message>
    <message>
        <source>数据库所在的磁盘是只读的</source>
        <translation>the disk of the database is read-only</translation>
    </message>
    <message>
        <source>没有在数据库所在的文件夹中写文件的权限</source>
        <translation>no permission to write files in the database's folder</translation>
    </message>
    <message>
        <source>磁盘已满</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>原因不明</source>
        <translation>cause unknown</translation>
    </message>
    <message>
        <source>显示人神禁忌</source>
        <translation>Show the 人神 taboos</translation>
    </message>
    <message>
        <source>诸书人神所在不尽相同：通行取多数所同之说</source>
        <translation>The books do not all place the 人神 alike: the common reading follows what most of them share</translation>
    </message>
    <message>
        <source>通行（默认）</source>
        <translation>Common (default)</translation>
    </message>
    <message>
        <source>年岁：</source>
        <translation>Age:</translation>
    </message>
    <message>
        <source>不填</source>
        <translation>none</translation>
    </message>
    <message>
        <source> 岁</source>
        <translation> years</translation>
    </message>
    <message>
        <source>虚岁，推行年人神与九宫尻神；只用于本次，不保存</source>
        <translation>Age counted the Chinese way (虚岁), for the 人神 of the year of age and the 尻神 of the nine palaces; for this run only, never saved</translation>
    </message>
    <message>
        <source>本机时间</source>
        <translation>machine time</translation>
    </message>
    <message>
        <source>时间：</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>均时差与人神</source>
        <translation>Equation of time and 人神</translation>
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
    <message>
        <source>医宗金鉴</source>
        <translation>Golden Mirror 医宗金鉴</translation>
    </message>
    <message>
        <source>针灸大成</source>
        <translation>Great Compendium 针灸大成</translation>
    </message>
    <message>
        <source>固定表</source>
        <translation>fixed table</translation>
    </message>
    <message>
        <source>天文计算</source>
        <translation>astronomical</translation>
    </message>
    <message>
        <source>气纳三焦</source>
        <translation>qi lodges in the Triple Energizer</translation>
    </message>
    <message>
        <source>血归包络</source>
        <translation>blood returns to the Pericardium</translation>
    </message>
</context>
<context>
    <name>velunar::ui::MainWindow</name>
    <message>
        <source>治疗方案</source>
        <translation>Treatment plans</translation>
    </message>
    <message>
        <source>门诊时间与提醒</source>
        <translation>Clinic hours and reminders</translation>
    </message>
    <message>
        <source>下次开穴</source>
        <translation>Next openings</translation>
    </message>
</context>
<context>
    <name>velunar::ui::NextWindow</name>
    <message>
        <source>下次开穴</source>
        <translation>Next openings</translation>
    </message>
    <message>
        <source>方案</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>（请选择方案）</source>
        <translation>(choose a plan)</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>结束</source>
        <translation>End</translation>
    </message>
    <message>
        <source>门诊时间内</source>
        <translation>Within clinic hours</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>Doctrine</translation>
    </message>
    <message>
        <source>穴位</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>导出本周日历…</source>
        <translation>Export this week's calendar…</translation>
    </message>
    <message>
        <source>导出为日历</source>
        <translation>Export as calendar</translation>
    </message>
    <message>
        <source>日历文件 (*.ics)</source>
        <translation>Calendar files (*.ics)</translation>
    </message>
    <message>
        <source>%1 本周开穴.ics</source>
        <translation>%1 openings this week.ics</translation>
    </message>
    <message>
        <source>还没有治疗方案：请在 管理 → 治疗方案 中添加。</source>
        <translation>No treatment plan yet: add one under Manage → Treatment plans.</translation>
    </message>
    <message>
        <source>请选择一个方案。</source>
        <translation>Choose a plan.</translation>
    </message>
    <message>
        <source>未设置门诊时间：按全天计算。</source>
        <translation>No clinic hours set: the whole day counts.</translation>
    </message>
    <message>
        <source>自 %1 起，门诊时间内</source>
        <translation>From %1 on, within the clinic hours</translation>
    </message>
    <message>
        <source>主窗口的经度、时区或夏令时尚不能计算，无法求出开穴时间。</source>
        <translation>The main window's longitude, time zone or summer time cannot be used yet: no opening times can be found.</translation>
    </message>
    <message>
        <source>参考表尚未读入。</source>
        <translation>The reference tables are not read yet.</translation>
    </message>
    <message>
        <source>三年内门诊时间中没有开穴。</source>
        <translation>No opening falls within the clinic hours in the next three years.</translation>
    </message>
    <message>
        <source>日历文件无法写入：%1</source>
        <translation>The calendar file cannot be written: %1</translation>
    </message>
    <message>
        <source>已导出 %1 个开穴时段：%2</source>
        <translation>%1 opening spans exported: %2</translation>
    </message>
</context>
<context>
    <name>velunar::ui::PlanWindow</name>
    <message>
        <source>治疗方案</source>
        <translation>Treatment plans</translation>
    </message>
    <message>
        <source>方案</source>
        <translation>Plans</translation>
    </message>
    <message>
        <source>门诊时间与提醒</source>
        <translation>Clinic hours and reminders</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>穴位</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>添加穴位</source>
        <translation>Add point</translation>
    </message>
    <message>
        <source>移除穴位</source>
        <translation>Remove point</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>Doctrines</translation>
    </message>
    <message>
        <source>全部方法</source>
        <translation>All doctrines</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
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
        <source>已保存“%1”。</source>
        <translation>“%1” saved.</translation>
    </message>
    <message>
        <source>已删除“%1”。</source>
        <translation>“%1” deleted.</translation>
    </message>
    <message>
        <source>请至少选择一种方法，或选“全部方法”。</source>
        <translation>Choose at least one doctrine, or “All doctrines”.</translation>
    </message>
    <message>
        <source>“%1”已在方案中。</source>
        <translation>“%1” is in the plan already.</translation>
    </message>
    <message>
        <source>已有名为“%1”的方案。</source>
        <translation>There is a plan named “%1” already.</translation>
    </message>
    <message>
        <source>每周门诊时间（当地钟表时间，如 09:00-12:00,14:00-18:00；空为休诊，全部为空则不限时间）</source>
        <translation>Weekly clinic hours (local clock time, e.g. 09:00-12:00,14:00-18:00; empty: closed that day; all empty: no limit)</translation>
    </message>
    <message>
        <source>09:00-12:00,14:00-18:00</source>
        <translation>09:00-12:00,14:00-18:00</translation>
    </message>
    <message>
        <source>休息日</source>
        <translation>Days off</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>开穴前提醒</source>
        <translation>Remind before an opening</translation>
    </message>
    <message>
        <source>提前</source>
        <translation>ahead by</translation>
    </message>
    <message>
        <source> 分钟</source>
        <translation> minutes</translation>
    </message>
    <message>
        <source>下次开穴、提醒与开穴表所用的方案</source>
        <translation>The plan used by the next openings, the reminders and the opening schedule</translation>
    </message>
    <message>
        <source>（无）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>%1的门诊时间不能读取：%2</source>
        <translation>The clinic hours of %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>门诊时间与提醒已保存。</source>
        <translation>Clinic hours and reminders saved.</translation>
    </message>
    <message>
        <source>参考表尚未读入，无法检查穴位。</source>
        <translation>The reference tables are not read yet: the points cannot be checked.</translation>
    </message>
    <message>
        <source>周一</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>周二</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>周三</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>周四</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>周五</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>周六</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>周日</source>
        <translation>Sunday</translation>
    </message>
</context>
<context>
    <name>velunar::ui::ScheduleModel</name>
    <message>
        <source>治疗方案的穴位</source>
        <translation>A point of the treatment plan</translation>
    </message>
    <message>
        <source>门诊时间外</source>
        <translation>Outside the clinic hours</translation>
    </message>
</context>
</TS>
