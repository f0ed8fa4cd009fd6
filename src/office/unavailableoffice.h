#pragma once

#include "officesuite.h"

#include <QString>
#include <memory>

class WordApp;

// The office programs when the office cannot be used at all (its library or the office suite
// is missing): every call that needs the office fails with CannotStart and `reason`; closing
// and quitting, with nothing open, do nothing.
class UnavailableOffice : public OfficeSuite
{
public:
    explicit UnavailableOffice(const QString &reason);
    ~UnavailableOffice() override;

    std::unique_ptr<Spreadsheet> createSpreadsheet() override;
    WordApp &wordApp() override;

    QString reason() const { return m_reason; }

private:
    QString m_reason;
    std::unique_ptr<WordApp> m_word;
};
