#pragma once

// In-memory stand-ins of the office layer for unit tests: workbooks and documents live in
// maps keyed by path, every call is logged, and failures can be set up per path.

#include "officesuite.h"
#include "spreadsheet.h"
#include "wordapp.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QStringList>

struct FakeWorkbook
{
    QMap<QPair<int, int>, CellValue> cells; // (row, column) from 1; missing = empty
    QSet<QPair<int, int>> arrayCells;       // cells of array formulas: writes pass them over

    CellValue cell(int row, int column) const { return cells.value({row, column}); }
    void setCell(int row, int column, const CellValue &value);
    // Sets a cell from a text the way a write does (" 12" becomes the number 12).
    void setText(int row, int column, const QString &text);
};

// A word-processor file: its bookmarks and what was typed into it, bookmark by bookmark
// ("" for text typed before any bookmark was reached).
struct FakeDocumentFile
{
    QStringList bookmarks;
    QList<QPair<QString, QString>> typed;
};

class FakeOffice;

class FakeSpreadsheet : public Spreadsheet
{
public:
    explicit FakeSpreadsheet(FakeOffice &office) : m_office(office) {}
    ~FakeSpreadsheet() override;

    OfficeStatus open(const QString &path) override;
    bool isOpen() const override { return m_open; }
    OfficeStatus readCell(int row, int column, CellValue *value) override;
    OfficeStatus writeCell(int row, int column, const QString &text) override;
    OfficeStatus readBlock(CellBlock *block) override;
    OfficeStatus writeBlock(const CellBlock &block,
                            QVector<PassedOverCell> *passedOver = nullptr) override;
    OfficeStatus saveAs(const QString &path) override;
    OfficeStatus close() override;

private:
    OfficeStatus step(const QString &call);
    OfficeStatus writeStep(const QString &call);

    FakeOffice &m_office;
    FakeWorkbook m_workbook;
    bool m_open = false;
};

class FakeWordApp : public WordApp
{
public:
    struct Document
    {
        QString basedOn;
        FakeDocumentFile content;
        QString currentBookmark;
        QStringList savedAs;
        int printed = 0;
        bool closed = false;
    };

    explicit FakeWordApp(FakeOffice &office) : m_office(office) {}

    OfficeStatus addDocument(const QString &path) override;
    OfficeStatus goToBookmark(const QString &name) override;
    OfficeStatus typeText(const QString &text) override;
    OfficeStatus saveAs(const QString &path) override;
    OfficeStatus printOut() override;
    OfficeStatus closeDocument() override;
    OfficeStatus quit() override;
    OfficeStatus setVisible(bool visible) override;
    bool isRunning() const override { return running; }
    int documentCount() const override { return m_open.size(); }

    // Every document ever added through this object, in order; the open ones in m_open.
    QList<Document> documents;
    QStringList calls;
    bool running = false;
    bool visible = false;
    int starts = 0;
    int quits = 0;
    // When set, printOut fails with this text.
    QString printFailure;

private:
    OfficeStatus begin(const QString &call);
    Document *active();

    FakeOffice &m_office;
    QList<int> m_open; // indexes into documents; the last is active

public:
    // One call ("typeAtBookmarks N"), with the effect of goToBookmark and typeText for each.
    OfficeStatus typeAtBookmarks(const QList<QPair<QString, QString>> &texts) override;
};

class FakeOffice : public OfficeSuite
{
public:
    FakeOffice() : word(*this) {}

    std::unique_ptr<Spreadsheet> createSpreadsheet() override;
    WordApp &wordApp() override { return word; }

    QMap<QString, FakeWorkbook> workbooks;     // the .xls files there are
    QMap<QString, FakeDocumentFile> documents; // the .doc files there are
    QSet<QString> deniedPaths;                 // reading or writing these gives error 70
    bool cannotStart = false;                  // the office cannot be started at all
    bool cellWritesFail = false;               // writeCell and writeBlock fail
    int spreadsheetsCreated = 0;
    QStringList spreadsheetCalls; // "open PATH", "readCell 2,3", "writeBlock 1,1 200x22" ...
    FakeWordApp word;
};
