#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

// A one-line field box. Its maximum length limits typing only: a longer value set by the
// program (a loaded record, an appended file) is shown and kept whole.
class FieldBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit FieldBox(QWidget *parent = nullptr);

    void setTypingLimit(int characters); // 0 = unlimited
    int typingLimit() const { return m_limit; }

    // Text set by the program is never cut to the limit.
    void setText(const QString &text);

private:
    class LimitValidator;
    int m_limit = 0;
    int m_lastLength = 0;
    bool m_settingText = false;
    LimitValidator *m_validator;
};

// The one field of several lines. It shows stored CR LF line ends as lines and gives its
// text back with CR LF, as the data files carry it.
class MultiLineBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit MultiLineBox(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

signals:
    void textEdited(const QString &text);

private:
    bool m_loading = false;
};
