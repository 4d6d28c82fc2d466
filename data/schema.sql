-- The seven tables of db1.sqlite. Every column is text except 经络表.forder; every column a query filters
-- on has an index. Identifiers are double-quoted throughout ("where" is a keyword).

CREATE TABLE "天干表" (
    "实际日"   TEXT,
    "实际时辰" TEXT,
    "值日经"   TEXT,
    "经脉"     TEXT,
    "五行"     TEXT,
    "五俞"     TEXT,
    "穴位"     TEXT,
    "过原"     TEXT,
    "兼过原穴" TEXT
);
-- The stem method filters on the day stem and the last character of 实际时辰.
CREATE INDEX "天干表_实际日_时辰" ON "天干表" ("实际日", substr("实际时辰", -1));
CREATE INDEX "天干表_实际时辰" ON "天干表" ("实际时辰");
CREATE INDEX "天干表_穴位" ON "天干表" ("穴位");
CREATE INDEX "天干表_过原" ON "天干表" ("过原");
CREATE INDEX "天干表_兼过原穴" ON "天干表" ("兼过原穴");

CREATE TABLE "补穴表" (
    "实际日"   TEXT,
    "实际时辰" TEXT,
    "经脉"     TEXT,
    "五行"     TEXT,
    "五俞"     TEXT,
    "穴位"     TEXT,
    "值日经"   TEXT
);
CREATE INDEX "补穴表_实际日_时辰" ON "补穴表" ("实际日", substr("实际时辰", -1));
CREATE INDEX "补穴表_实际时辰" ON "补穴表" ("实际时辰");
CREATE INDEX "补穴表_穴位" ON "补穴表" ("穴位");

CREATE TABLE "地支表" (
    "时辰"   TEXT,
    "本穴"   TEXT,
    "原穴"   TEXT,
    "泻穴"   TEXT,
    "本经"   TEXT,
    "补穴"   TEXT,
    "补穴经" TEXT
);
CREATE INDEX "地支表_时辰" ON "地支表" ("时辰");
CREATE INDEX "地支表_本穴" ON "地支表" ("本穴");
CREATE INDEX "地支表_原穴" ON "地支表" ("原穴");
CREATE INDEX "地支表_泻穴" ON "地支表" ("泻穴");
CREATE INDEX "地支表_补穴" ON "地支表" ("补穴");

CREATE TABLE "五俞穴" (
    "经络" TEXT,
    "井"   TEXT,
    "荥"   TEXT,
    "俞"   TEXT,
    "经"   TEXT,
    "合"   TEXT,
    "原"   TEXT
);
CREATE INDEX "五俞穴_经络" ON "五俞穴" ("经络");
CREATE INDEX "五俞穴_井" ON "五俞穴" ("井");
CREATE INDEX "五俞穴_荥" ON "五俞穴" ("荥");
CREATE INDEX "五俞穴_俞" ON "五俞穴" ("俞");
CREATE INDEX "五俞穴_经" ON "五俞穴" ("经");
CREATE INDEX "五俞穴_合" ON "五俞穴" ("合");
CREATE INDEX "五俞穴_原" ON "五俞穴" ("原");

CREATE TABLE "经络表" (
    "穴位"   TEXT,
    "经脉"   TEXT,
    "forder" INTEGER
);
CREATE INDEX "经络表_经脉_forder" ON "经络表" ("经脉", "forder");
CREATE INDEX "经络表_穴位" ON "经络表" ("穴位");

-- One description per point: a second row for the same name is refused by the database.
CREATE TABLE "穴位说明" (
    "穴位"     TEXT UNIQUE NOT NULL,
    "图片路径" TEXT,
    "穴位说明" TEXT
);

CREATE TABLE "xxyy" (
    "xy"              TEXT,
    "ew"              TEXT,
    "zone"            TEXT,
    "suma"            TEXT,
    "jingew"          TEXT,
    "where"           TEXT,
    "hint1"           TEXT,
    "onlyBeiJingTime" TEXT,
    "timemode"        TEXT,
    "ischina"         TEXT,
    "eot"             TEXT,
    "tzid"            TEXT,
    "chinadst"        TEXT,
    "sixthstem"       TEXT,
    "renshen"         TEXT,
    "renshensrc"      TEXT
);
