#include "libreofficesuite.h"

#include "calcspreadsheet.h"
#include "writerwordapp.h"

LibreOfficeSuite::LibreOfficeSuite(OfficeProcess::Display display)
    : m_process(std::make_unique<OfficeProcess>(display)),
      m_word(std::make_unique<WriterWordApp>(*m_process))
{
}

LibreOfficeSuite::~LibreOfficeSuite()
{
    m_word.reset();
    m_process.reset();
}

std::unique_ptr<Spreadsheet> LibreOfficeSuite::createSpreadsheet()
{
    return std::make_unique<CalcSpreadsheet>(*m_process);
}

WordApp &LibreOfficeSuite::wordApp()
{
    return *m_word;
}
