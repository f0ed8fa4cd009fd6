#pragma once

#include <memory>

class Spreadsheet;
class WordApp;

// The office programs the commands drive: a new spreadsheet application object for each run,
// and the one program-wide word-processor object. The program gets its suite from
// OfficeLoader::createSuite() (officeloader.h).
class OfficeSuite
{
public:
    virtual ~OfficeSuite() = default;

    virtual std::unique_ptr<Spreadsheet> createSpreadsheet() = 0;
    virtual WordApp &wordApp() = 0;
};
