#pragma once

#include "libreofficesuite.h"
#include "spreadsheet.h"

#include <QObject>
#include <QTest>
#include <memory>

// A window's office over the one real office of a test program, shared by its windows.
class SharedOffice : public OfficeSuite
{
public:
    explicit SharedOffice(LibreOfficeSuite &suite) : m_suite(suite) {}
    std::unique_ptr<Spreadsheet> createSpreadsheet() override
    {
        return m_suite.createSpreadsheet();
    }
    WordApp &wordApp() override { return m_suite.wordApp(); }

private:
    LibreOfficeSuite &m_suite;
};

// A test program with one real office, started headless before its tests and ended after.
class OfficeTestCase : public QObject
{
    Q_OBJECT

protected:
    LibreOfficeSuite &suite() { return *m_suite; }
    // The shared office, for a window of the test.
    std::unique_ptr<OfficeSuite> sharedOffice() { return std::make_unique<SharedOffice>(suite()); }

private slots:
    void initTestCase()
    {
        m_suite = std::make_unique<LibreOfficeSuite>(OfficeProcess::Display::Headless);
        const OfficeStatus started = m_suite->process().start();
        QVERIFY2(started.ok(), qPrintable(started.text()));
    }
    void cleanupTestCase() { m_suite.reset(); }

private:
    std::unique_ptr<LibreOfficeSuite> m_suite;
};
