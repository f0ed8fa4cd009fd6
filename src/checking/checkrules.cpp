#include "checkrules.h"

#include "surveyrecord.h"

void CheckCoverAndTable1(const SurveyRecord &, CheckState &) {}
void CheckTable2(const SurveyRecord &, CheckState &) {}
void CheckTable3(const SurveyRecord &, CheckState &) {}
void CheckTable4(const SurveyRecord &, CheckState &) {}
