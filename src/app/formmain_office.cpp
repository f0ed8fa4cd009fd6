// The office programs of the main window.
#include "formmain.h"

#include "libreofficesuite.h"

OfficeSuite &FormMain::office()
{
    if (!m_office) {
        m_ownOffice = std::make_unique<LibreOfficeSuite>();
        m_office = m_ownOffice.get();
    }
    return *m_office;
}
