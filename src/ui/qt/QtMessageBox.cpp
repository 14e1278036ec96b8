#include "ui/qt/QtMessageBox.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace plintor::qt {

namespace {

struct ButtonTexts {
    std::uint16_t primaryLanguage;
    const char* ok;
    const char* cancel;
    const char* yes;
    const char* no;
    const char* retry;
    const char* abort;
    const char* ignore;
};

// Button captions by primary language (the low ten bits of a LANGID).
const ButtonTexts kButtonTexts[] = {
    {0x09, "OK", "Cancel", "&Yes", "&No", "&Retry", "&Abort", "&Ignore"},
    {0x05, "OK", "Storno", "&Ano", "&Ne", "&Opakovat", "&P\xC5\x99" "eru\xC5\xA1it", "&Ignorovat"},
    {0x06, "OK", "Annuller", "&Ja", "&Nej", "&Pr\xC3\xB8v igen", "&Afbryd", "&Ignorer"},
    {0x07, "OK", "Abbrechen", "&Ja", "&Nein", "&Wiederholen", "&Abbrechen", "&Ignorieren"},
    {0x08, "OK", "\xCE\x86\xCE\xBA\xCF\x85\xCF\x81\xCE\xBF", "&\xCE\x9D\xCE\xB1\xCE\xB9",
     "\xCE\x8C&\xCF\x87\xCE\xB9", "&\xCE\x95\xCF\x80\xCE\xB1\xCE\xBD\xCE\xAC\xCE\xBB\xCE\xB7\xCF\x88\xCE\xB7",
     "&\xCE\x9C\xCE\xB1\xCF\x84\xCE\xB1\xCE\xAF\xCF\x89\xCF\x83\xCE\xB7",
     "&\xCE\xA0\xCE\xB1\xCF\x81\xCE\xAC\xCE\xB2\xCE\xBB\xCE\xB5\xCF\x88\xCE\xB7"},
    {0x0A, "Aceptar", "Cancelar", "&S\xC3\xAD", "&No", "&Reintentar", "&Anular", "&Omitir"},
    {0x0B, "OK", "Peruuta", "&Kyll\xC3\xA4", "&Ei", "&Yrit\xC3\xA4 uudelleen", "&Keskeyt\xC3\xA4", "&Ohita"},
    {0x0C, "OK", "Annuler", "&Oui", "&Non", "&R\xC3\xA9" "essayer", "&Abandonner", "&Ignorer"},
    {0x0E, "OK", "M\xC3\xA9gse", "&Igen", "&Nem", "\xC3\x9A&jra", "&Megszak\xC3\xADt\xC3\xA1s",
     "&Kihagy\xC3\xA1s"},
    {0x10, "OK", "Annulla", "&S\xC3\xAC", "&No", "&Riprova", "&Interrompi", "&Ignora"},
    {0x11, "OK", "\xE3\x82\xAD\xE3\x83\xA3\xE3\x83\xB3\xE3\x82\xBB\xE3\x83\xAB", "\xE3\x81\xAF\xE3\x81\x84(&Y)",
     "\xE3\x81\x84\xE3\x81\x84\xE3\x81\x88(&N)", "\xE5\x86\x8D\xE8\xA9\xA6\xE8\xA1\x8C(&R)",
     "\xE4\xB8\xAD\xE6\xAD\xA2(&A)", "\xE7\x84\xA1\xE8\xA6\x96(&I)"},
    {0x13, "OK", "Annuleren", "&Ja", "&Nee", "&Opnieuw", "&Afbreken", "&Negeren"},
    {0x14, "OK", "Avbryt", "&Ja", "&Nei", "&Pr\xC3\xB8v p\xC3\xA5 nytt", "&Avbryt", "&Ignorer"},
    {0x15, "OK", "Anuluj", "&Tak", "&Nie", "&Pon\xC3\xB3w pr\xC3\xB3" "b\xC4\x99", "&Przerwij", "&Ignoruj"},
    {0x16, "OK", "Cancelar", "&Sim", "&N\xC3\xA3o", "&Repetir", "&Anular", "&Ignorar"},
    {0x19, "\xD0\x9E\xD0\x9A", "\xD0\x9E\xD1\x82\xD0\xBC\xD0\xB5\xD0\xBD\xD0\xB0", "&\xD0\x94\xD0\xB0",
     "&\xD0\x9D\xD0\xB5\xD1\x82", "&\xD0\x9F\xD0\xBE\xD0\xB2\xD1\x82\xD0\xBE\xD1\x80\xD0\xB8\xD1\x82\xD1\x8C",
     "&\xD0\x9F\xD1\x80\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB0\xD1\x82\xD1\x8C",
     "&\xD0\x9F\xD1\x80\xD0\xBE\xD0\xBF\xD1\x83\xD1\x81\xD1\x82\xD0\xB8\xD1\x82\xD1\x8C"},
    {0x1D, "OK", "Avbryt", "&Ja", "&Nej", "&F\xC3\xB6rs\xC3\xB6k igen", "&Avbryt", "&Ignorera"},
    {0x1F, "Tamam", "\xC4\xB0ptal", "&Evet", "&Hay\xC4\xB1r", "&Yeniden Dene", "&Durdur", "&Yoksay"},
};

const ButtonTexts& TextsFor(std::uint16_t language)
{
    const std::uint16_t primary = language & 0x3FF;
    for (const ButtonTexts& texts : kButtonTexts)
        if (texts.primaryLanguage == primary)
            return texts;
    return kButtonTexts[0];
}

// The buttons of each box type, left to right.
std::vector<int> ButtonsOf(std::uint32_t style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

QMessageBox::ButtonRole RoleOf(int id)
{
    switch (id) {
    case IDOK: return QMessageBox::AcceptRole;
    case IDCANCEL: return QMessageBox::RejectRole;
    case IDYES: return QMessageBox::YesRole;
    case IDNO: return QMessageBox::NoRole;
    case IDABORT: return QMessageBox::RejectRole;
    default: return QMessageBox::ActionRole;
    }
}

QMessageBox::Icon IconOf(std::uint32_t style)
{
    switch (style & MB_ICONMASK) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QString DisplayText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.remove(QLatin1Char('\r'));
    return shown;
}

}

QString MessageBoxButtonText(int buttonId, std::uint16_t language)
{
    const ButtonTexts& t = TextsFor(language);
    const char* text = t.ok;
    switch (buttonId) {
    case IDCANCEL: text = t.cancel; break;
    case IDYES: text = t.yes; break;
    case IDNO: text = t.no; break;
    case IDRETRY: text = t.retry; break;
    case IDABORT: text = t.abort; break;
    case IDIGNORE: text = t.ignore; break;
    default: break;
    }
    return QString::fromUtf8(text);
}

int ShowQtMessageBox(const MessageBoxRequest& request, QWidget* owner)
{
    QMessageBox box(IconOf(request.style), DisplayText(request.caption), DisplayText(request.text),
                    QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    const std::vector<int> ids = ButtonsOf(request.style);
    std::vector<QPushButton*> buttons;
    for (int id : ids)
        buttons.push_back(box.addButton(MessageBoxButtonText(id, request.language), RoleOf(id)));
    const int defaultId = DefaultMessageBoxResult(request.style);
    QPushButton* defaultButton = nullptr;
    QPushButton* escapeButton = nullptr;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == defaultId)
            defaultButton = buttons[i];
        if (ids[i] == IDCANCEL || (ids.size() == 1 && ids[i] == IDOK))
            escapeButton = buttons[i];
    }
    box.setDefaultButton(defaultButton);
    if (escapeButton)
        box.setEscapeButton(escapeButton);
    box.exec();
    QAbstractButton* pressed = box.clickedButton();
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (buttons[i] == pressed)
            return ids[i];
    return escapeButton ? ids[static_cast<std::size_t>(std::find(buttons.begin(), buttons.end(), escapeButton)
                                                       - buttons.begin())]
                        : defaultId;
}

}
