#include "unavailableoffice.h"

#include "spreadsheet.h"
#include "wordapp.h"

namespace {

class UnavailableSpreadsheet : public Spreadsheet
{
public:
    explicit UnavailableSpreadsheet(const QString &reason) : m_reason(reason) {}

    OfficeStatus open(const QString &) override { return failed(); }
    bool isOpen() const override { return false; }
    OfficeStatus readCell(int, int, CellValue *) override { return failed(); }
    OfficeStatus writeCell(int, int, const QString &) override { return failed(); }
    OfficeStatus readBlock(CellBlock *) override { return failed(); }
    OfficeStatus writeBlock(const CellBlock &, QVector<PassedOverCell> *) override
    {
        return failed();
    }
    OfficeStatus saveAs(const QString &) override { return failed(); }
    OfficeStatus close() override { return OfficeStatus::success(); }

private:
    OfficeStatus failed() const { return {OfficeStatus::CannotStart, m_reason}; }

    QString m_reason;
};

class UnavailableWordApp : public WordApp
{
public:
    explicit UnavailableWordApp(const QString &reason) : m_reason(reason) {}

    OfficeStatus addDocument(const QString &) override { return failed(); }
    OfficeStatus goToBookmark(const QString &) override { return failed(); }
    OfficeStatus typeText(const QString &) override { return failed(); }
    OfficeStatus saveAs(const QString &) override { return failed(); }
    OfficeStatus printOut() override { return failed(); }
    OfficeStatus closeDocument() override { return failed(); }
    OfficeStatus quit() override { return OfficeStatus::success(); }
    OfficeStatus setVisible(bool) override { return failed(); }
    bool isRunning() const override { return false; }
    int documentCount() const override { return 0; }

private:
    OfficeStatus failed() const { return {OfficeStatus::CannotStart, m_reason}; }

    QString m_reason;
};

} // namespace

UnavailableOffice::UnavailableOffice(const QString &reason)
    : m_reason(reason), m_word(std::make_unique<UnavailableWordApp>(reason))
{
}

UnavailableOffice::~UnavailableOffice() = default;

std::unique_ptr<Spreadsheet> UnavailableOffice::createSpreadsheet()
{
    return std::make_unique<UnavailableSpreadsheet>(m_reason);
}

WordApp &UnavailableOffice::wordApp()
{
    return *m_word;
}
