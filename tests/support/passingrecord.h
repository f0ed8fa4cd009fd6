#pragma once

#include "surveyrecord.h"

#include <QStringList>

// A record that passes every rule.
inline SurveyRecord passingRecord()
{
    const QList<QPair<const char *, const char *>> values = {
        {"JB01", "测试项目名称"},
        {"JB02", "201100000001"},
        {"JB411", "张三"},
        {"JB412", "李四"},
        {"JB413", "王五"},
        {"JB431", "1970"},
        {"JB432", "1980"},
        {"JB433", "1990"},
        {"JB22", "730101"},
        {"JB24", "730000"},
        {"JB63_1", "2010"},
        {"JB63_2", "2012"},
        {"JB25", "1.科研院所"},
        {"JB26", "1.省直"},
        {"JB27", "1.基础研究"},
        {"JB61", "1.重点项目"},
        {"JB71", "1.按计划进行"},
        {"JB62", "1.电子信息"},
        {"JB64", "1.自主开发"},
        {"JB65", "1.新产品"},
        {"JB81", "2.否"},
        // table 2
        {"JF1001", "100"},
        {"JF1101", "60"},
        {"JF1401", "40"},
        {"JF2001", "70"},
        {"JF4001", "30"},
        {"JF1002", "50"},
        {"JF1102", "50"},
        {"JF2002", "20"},
        {"JF4002", "30"},
        {"JF3001", "60"},
        {"JF3111", "10"},
        {"JF3121", "20"},
        {"JF3131", "30"},
        // table 3
        {"JL100", "10"},
        {"JL110", "8"},
        {"JL430", "1"},
        {"JL440", "1"},
        {"JL120", "3"},
        {"JL130", "5"},
        {"JL140", "2"},
        {"JL150", "3"},
        {"JL160", "10"},
        {"JL400", "2"},
        {"JL410", "1"},
        {"JL420", "1"},
        // table 4
        {"JG901", "5"},
        {"JG911", "2"},
        {"JG912", "2"},
        {"JG913", "1"},
        {"JG702", "10"},
        {"JG710", "5"},
        {"JG711", "5"},
        {"JG720", "10"},
        {"JG131", "1500000"},
    };
    SurveyRecord record;
    for (const auto &[code, value] : values)
        record.setValue(QString::fromLatin1(code), QString::fromUtf8(value));
    return record;
}

// "CODE=value" changes applied to the passing record.
inline SurveyRecord passingRecordWith(const QStringList &changes)
{
    SurveyRecord record = passingRecord();
    for (const QString &change : changes) {
        const qsizetype eq = change.indexOf(u'=');
        record.setValue(change.left(eq), change.mid(eq + 1));
    }
    return record;
}
