#pragma once

#include "officeprocess.h"
#include "officesuite.h"

#include <memory>

class WriterWordApp;

// The office programs over the one private LibreOffice process of the program run. The process
// starts on first use and ends with this object (the word processor's documents first).
// Spreadsheet objects it creates must not outlive it.
class LibreOfficeSuite : public OfficeSuite
{
public:
    explicit LibreOfficeSuite(OfficeProcess::Display display = OfficeProcess::Display::Automatic);
    ~LibreOfficeSuite() override;

    std::unique_ptr<Spreadsheet> createSpreadsheet() override;
    WordApp &wordApp() override;

    OfficeProcess &process() { return *m_process; }
    WriterWordApp &writer() { return *m_word; }

private:
    std::unique_ptr<OfficeProcess> m_process;
    std::unique_ptr<WriterWordApp> m_word;
};
