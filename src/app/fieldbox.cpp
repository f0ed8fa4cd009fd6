#include "fieldbox.h"

#include <QValidator>

// Cuts what a keystroke or a paste would add beyond the limit; never cuts what is there.
class FieldBox::LimitValidator : public QValidator
{
public:
    explicit LimitValidator(FieldBox *box) : QValidator(box), m_box(box) {}

    State validate(QString &input, int &pos) const override
    {
        const int limit = m_box->m_limit;
        const int before = m_box->m_lastLength;
        if (m_box->m_settingText || limit <= 0 || input.size() <= limit || input.size() <= before)
            return Acceptable;
        const int excess = int(input.size()) - std::max(limit, before);
        const int start = std::max(0, pos - excess);
        input.remove(start, pos - start);
        pos = start;
        return input.size() > std::max(limit, before) ? Invalid : Acceptable;
    }

private:
    FieldBox *m_box;
};

FieldBox::FieldBox(QWidget *parent) : QLineEdit(parent), m_validator(new LimitValidator(this))
{
    setValidator(m_validator);
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_lastLength = int(text.size()); });
}

void FieldBox::setTypingLimit(int characters)
{
    m_limit = characters;
}

void FieldBox::setText(const QString &text)
{
    m_settingText = true;
    QLineEdit::setText(text);
    m_settingText = false;
}

MultiLineBox::MultiLineBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true); // Tab leaves the box, as in every other field
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading)
            emit textEdited(text());
    });
}

QString MultiLineBox::text() const
{
    QString plain = toPlainText();
    plain.replace(u'\n', QStringLiteral("\r\n"));
    return plain;
}

void MultiLineBox::setText(const QString &text)
{
    m_loading = true;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
    m_loading = false;
}
