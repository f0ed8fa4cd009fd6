#pragma once

#include <QString>

class SurveyRecord;

// What a run of the checking rules leaves behind: CheckError is 1 when a rule failed, and
// CheckMessage holds one line per failed rule, "项目" + project number + message + CR LF.
struct CheckState
{
    qint16 CheckError = 0;
    QString CheckMessage;

    void clear()
    {
        CheckError = 0;
        CheckMessage.clear();
    }
};

// The rules of the cover and table 1, and of tables 2, 3 and 4. Each reads the record as its
// boxes show it and appends one line to CheckMessage per failed rule, in rule order.
void CheckCoverAndTable1(const SurveyRecord &record, CheckState &state);
void CheckTable2(const SurveyRecord &record, CheckState &state);
void CheckTable3(const SurveyRecord &record, CheckState &state);
void CheckTable4(const SurveyRecord &record, CheckState &state);
