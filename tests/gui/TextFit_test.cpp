// Every text in every language fits its control: each page in the states that change its
// texts, the popups and every message, laid out by the desktop front end with its own font
// and dialog units. A text that does not fit is shortened in its translation file; the
// layouts (and the common controls' places) are the same in every language.

#include "QtPageTour.h"
#include "QtTestEnvironment.h"

#include "core/StringTable.h"
#include "pages/CWizardDlg.h"
#include "resources/StringResources.h"
#include "resources/dialogs/DialogResources.h"
#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/WindowMessages.h"
#include "ui/qt/CQtFrontEnd.h"
#include "ui/qt/DialogUnits.h"
#include "wizard/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QStyleOptionComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace plintor::qt {
namespace {

QString Plain(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

// The room a text needs at `width` with `flags`, in the widget's font.
QRect Needed(const QWidget& widget, int width, int flags, const QString& text)
{
    return QFontMetrics(widget.font()).boundingRect(QRect(0, 0, width, 1 << 20), flags, text);
}

// Why the text of `widget` does not fit, or empty when it fits (or the widget shows none).
// A drop-down list must show its longest item whole while closed.
std::string Clipping(const QWidget& widget)
{
    QString text;
    QRect room;
    int flags = Qt::AlignLeft | Qt::AlignTop;
    if (auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->pixmap().isNull() == false)
            return {};
        text = label->buddy() ? Plain(label->text()) : label->text();
        room = label->contentsRect();
        if (label->wordWrap())
            flags |= Qt::TextWordWrap;
    } else if (auto* box = qobject_cast<const QGroupBox*>(&widget)) {
        // The title, one character's width in from each side.
        text = box->title();
        const int indent = QFontMetrics(box->font()).averageCharWidth();
        room = QRect(0, 0, box->width() - 2 * indent, QFontMetrics(box->font()).height());
    } else if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        text = Plain(button->text());
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<const QRadioButton*>(button))
            contents = QStyle::SE_RadioButtonContents;
        else if (qobject_cast<const QCheckBox*>(button))
            contents = QStyle::SE_CheckBoxContents;
        room = qobject_cast<const QPushButton*>(button) || contents != QStyle::SE_PushButtonContents
                   ? button->style()->subElementRect(contents, &option, button)
                   : button->rect().adjusted(4, 0, 0, 0);   // the link: text 4 pixels in
    } else if (auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        // The longest item, in the field of the closed list.
        QStyleOptionComboBox option;
        option.initFrom(combo);
        room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        const QFontMetrics metrics(combo->font());
        for (int i = 0; i < combo->count(); ++i)
            if (metrics.horizontalAdvance(combo->itemText(i)) > metrics.horizontalAdvance(text))
                text = combo->itemText(i);
        flags = Qt::AlignLeft | Qt::AlignVCenter;
    } else {
        return {};
    }
    if (text.trimmed().isEmpty())
        return {};
    const QRect need = Needed(widget, room.width(), flags, text);
    if (need.width() <= room.width() && need.height() <= room.height())
        return {};
    return "\"" + text.toStdString() + "\" needs " + std::to_string(need.width()) + "x"
           + std::to_string(need.height()) + " px, has " + std::to_string(room.width()) + "x"
           + std::to_string(room.height());
}

// Every clipped text among the visible widgets under `root`.
std::vector<std::string> ClippedTexts(QWidget& root)
{
    std::vector<std::string> found;
    for (QWidget* child : root.findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&root))
            continue;
        std::string why = Clipping(*child);
        if (!why.empty())
            found.push_back(child->objectName().toStdString() + ": " + why);
    }
    return found;
}

// Access keys used twice among the visible controls of a page (case-insensitive).
std::vector<std::string> RepeatedAccessKeys(CDialog& page)
{
    std::map<QString, std::vector<std::string>> byKey;
    for (CWindow* child : page.Children()) {
        if (!child->IsWindowVisible())
            continue;
        const QString text = QString::fromStdString(child->GetWindowText());
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != QLatin1Char('&'))
                continue;
            if (text[i + 1] != QLatin1Char('&'))
                byKey[text[i + 1].toLower()].push_back(text.toStdString());
            ++i;
        }
    }
    std::vector<std::string> repeated;
    for (const auto& [key, texts] : byKey) {
        if (texts.size() < 2)
            continue;
        std::string line = "'" + key.toStdString() + "' in";
        for (const std::string& text : texts)
            line += " \"" + text + "\"";
        repeated.push_back(line);
    }
    return repeated;
}

std::vector<LangId> InterfaceLanguages()
{
    std::vector<LangId> languages;
    for (std::uint16_t language : DialogTemplateLanguages())
        languages.push_back(language);
    return languages;
}

// What the English pages show, by page and state: the controls with a text, and the
// number of access keys the English texts themselves repeat. A translation may repeat as
// many, not more ("&I don't use FAX functionality" and "D&ial Type:" share one on the FAX
// page, and the English texts are fixed).
struct EnglishPage {
    std::set<int> withText;
    std::size_t repeatedKeys = 0;
};

std::set<int> ControlsWithText(CDialog& page)
{
    std::set<int> ids;
    for (CWindow* child : page.Children())
        if (child->IsWindowVisible() && child->Id() > 0 && !child->GetWindowText().empty())
            ids.insert(child->Id());
    return ids;
}

const std::map<std::string, EnglishPage>& EnglishPages()
{
    static const std::map<std::string, EnglishPage> pages = [] {
        std::map<std::string, EnglishPage> seen;
        testing::TourEveryPage(LANG_ENGLISH_US, [&](const std::string& name, CWizardDlg&, CDialog& page) {
            seen[name] = {ControlsWithText(page), RepeatedAccessKeys(page).size()};
        });
        return seen;
    }();
    return pages;
}

class TextFit : public ::testing::TestWithParam<LangId> {};

TEST_P(TextFit, EveryPageAndPopupShowsEveryTextWhole)
{
    const LangId language = GetParam();
    const std::map<std::string, EnglishPage>& english = EnglishPages();
    std::vector<std::string> faults;
    int pages = 0, popups = 0;
    std::set<int> indexes;
    std::vector<std::string> popupNames;
    auto visitPage = [&](const std::string& name, CWizardDlg& wizard, CDialog& page) {
        ++pages;
        indexes.insert(wizard.currentPage);
        QWidget* widget = CQtFrontEnd::WidgetOf(page);
        ASSERT_NE(widget, nullptr) << name;
        for (const std::string& why : ClippedTexts(*widget))
            faults.push_back(name + ": " + why);
        auto inEnglish = english.find(name);
        if (inEnglish == english.end()) {
            faults.push_back(name + ": not shown in English");
            return;
        }
        const std::vector<std::string> repeated = RepeatedAccessKeys(page);
        if (repeated.size() > inEnglish->second.repeatedKeys) {
            for (const std::string& why : repeated)
                faults.push_back(name + ": access key " + why);
        }
        // No control is blank where the English page shows a text.
        const std::set<int> shown = ControlsWithText(page);
        for (int id : inEnglish->second.withText)
            if (!shown.count(id))
                faults.push_back(name + ": control " + std::to_string(id) + " is blank");
        // Every "What's this?" guide of the page, as the message box it opens.
        tour::OpenEveryGuide(page);
    };
    auto visitPopup = [&](const std::string& name, QWidget& popup) {
        ++popups;
        popupNames.push_back(name);
        for (const std::string& why : ClippedTexts(popup))
            faults.push_back(name + ": " + why);
    };
    testing::TourEveryPage(language, visitPage, visitPopup);
    testing::TourDialogs(language, visitPopup);
    EXPECT_EQ(indexes.size(), static_cast<std::size_t>(kPageCount)) << "pages shown: " << ::testing::PrintToString(indexes);
    EXPECT_GE(pages, 24);
    EXPECT_GE(popups, 10) << ::testing::PrintToString(popupNames);
    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;
}

TEST_P(TextFit, EveryMessageBoxShowsItsTextAndButtonsWhole)
{
    std::vector<std::string> faults;
    int seen = 0;
    const int shown = testing::TourMessageBoxes(GetParam(), [&](const std::string& name, QWidget& box) {
        ++seen;
        for (const std::string& why : ClippedTexts(box))
            faults.push_back(name.substr(0, 40) + ": " + why);
    });
    EXPECT_GT(shown, 20);
    EXPECT_EQ(seen, shown);
    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;
}

INSTANTIATE_TEST_SUITE_P(InterfaceLanguages, TextFit, ::testing::ValuesIn(InterfaceLanguages()),
                         [](const ::testing::TestParamInfo<LangId>& info) { return std::to_string(info.param); });

TEST(TextFit, TheMeasureSeesATextTooLongForItsControl)
{
    testing::EnsureQtFrontEnd();
    QWidget page;
    page.setFont(FontFromDesc(FontDesc{}));
    const QString longText = QStringLiteral("Netzwerkverbindungseinstellungen \u00fcberpr\u00fcfen");
    QLabel label(&page);
    label.setWordWrap(true);
    QPushButton button(&page);
    QRadioButton radio(&page);
    QCheckBox check(&page);
    QComboBox combo(&page);
    QWidget* widgets[] = {&label, &button, &radio, &check, &combo};
    for (QWidget* widget : widgets)
        widget->setGeometry(0, 0, 80, 20);
    label.setText(QStringLiteral("OK"));
    button.setText(QStringLiteral("&OK"));
    radio.setText(QStringLiteral("&Yes"));
    check.setText(QStringLiteral("&No"));
    combo.addItem(QStringLiteral("IPv4"));
    for (QWidget* widget : widgets)
        EXPECT_EQ(Clipping(*widget), "") << widget->metaObject()->className();
    // Too wide for one line of a button, too tall once wrapped in a label.
    label.setText(longText);
    button.setText(longText);
    radio.setText(longText);
    check.setText(longText);
    combo.addItem(longText);
    for (QWidget* widget : widgets)
        EXPECT_NE(Clipping(*widget), "") << widget->metaObject()->className();
    // The same label fits once it has the room for its lines.
    label.setGeometry(0, 0, 400, 40);
    EXPECT_EQ(Clipping(label), "");
}

TEST(TextFit, TheDesktopFontDrawsEveryCharacterOfEveryLanguage)
{
    testing::EnsureQtFrontEnd();
    const QFont font = FontFromDesc(FontDesc{});
    const QFontMetrics metrics(font);
    // The coverage comes from the fonts installed: a noncharacter no font draws is refused.
    EXPECT_FALSE(metrics.inFontUcs4(0x10FFFF));
    std::map<std::uint16_t, std::set<char32_t>> missing;
    for (std::uint16_t language : resources::StringTableLanguages()) {
        if (language == LANG_NEUTRAL_ID)
            continue;
        for (const resources::StringEntry& row : resources::StringTableOf(language)) {
            for (char32_t c : QString::fromUtf8(row.text).toUcs4()) {
                if (c != U'\n' && c != U'\r' && !metrics.inFontUcs4(c))
                    missing[language].insert(c);
            }
        }
    }
    for (const auto& [language, characters] : missing) {
        std::string list;
        for (char32_t c : characters)
            list += " U+" + QString::number(static_cast<uint>(c), 16).toUpper().toStdString();
        ADD_FAILURE() << "language " << language << ": no glyph for" << list;
    }
}

}
}
