// Every page, dialog and message box of the page tour as the Windows front end draws it, in
// English and German, taken from the screen of the display: written as PNG files into the
// folder that PLINTOR_SCREENSHOT_DIR names (scripts/windows screenshots sets it), and
// checked on every run: each page, dialog and message box the tour visits gives a picture,
// no picture is one colour, every control draws in the font the model gives it, and every
// text of a page or dialog fits its control as the
// system measures it with the control's font (the dialog font is Tahoma here, as on
// Windows, where the Linux desktop measures DejaVu), and every picture is as large as its
// control. The same checks hold at any system DPI (screenshots.sh --dpi).

#include "PageTour.h"
#include "TourWindows.h"
#include "WindowPicture.h"
#include "WindowTextFit.h"

#include "core/LangId.h"
#include "pages/CWizardDlg.h"
#include "ui/CDialog.h"
#include "ui/win32/CWin32FrontEnd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

namespace plintor::win32 {
namespace {

using WindowSeen = std::function<void(const std::string& name, NativeWindow window)>;

// Looks at the thread's windows from a timer, which fires inside the front end's modal
// loops and the system's message box loop alike: a message box is handed to `seen` and
// answered; a dialog of the model other than the wizard (the wait popup) is handed over
// once and left to end by itself.
class CWin32PopupWatch : public tour::CPopupWatch {
public:
    CWin32PopupWatch(const CWin32FrontEnd& frontEnd, const WindowSeen& seen, const std::string& where)
        : frontEnd(frontEnd), seen(seen), where(where), timer(10, [this] { Look(); })
    {
    }

private:
    void Look()
    {
        for (NativeWindow window : VisibleThreadWindows()) {
            CWindow* model = frontEnd.WindowOf(window);
            if (!model && IsMessageBox(window)) {
                // The answer is posted: a box still up at the next look is answered again,
                // not seen again.
                if (visited.insert(window).second)
                    seen(where + " message " + MessageBoxText(window).substr(0, 40), window);
                AnswerWithEscape(window);
            } else if (model && !dynamic_cast<CWizardDlg*>(model) && visited.insert(window).second) {
                seen(where + " popup", window);
            }
        }
    }

    const CWin32FrontEnd& frontEnd;
    const WindowSeen& seen;
    const std::string& where;
    std::set<NativeWindow> visited;
    CThreadTimer timer;
};

// The controls of `dialog` whose windows do not draw in the font the model gives them now,
// after every change the model made: face (the dialog font's face may come back as the
// shell's second one), size in points, weight and underline.
std::vector<std::string> FontsAmiss(CDialog& dialog)
{
    std::vector<std::string> amiss;
    for (CWindow* child : dialog.Children()) {
        NativeWindow native = CWin32FrontEnd::NativeOf(*child);
        WindowFont font;
        if (!native || child->Kind() == ControlKind::Dialog || !FontOfWindow(native, font))
            continue;
        const FontDesc& model = child->GetFont();
        const bool sameFace = font.face == model.face || (model.face == "MS Shell Dlg" && font.face == "MS Shell Dlg 2");
        if (sameFace && font.points == model.height && font.weight == model.weight && font.underline == model.underline)
            continue;
        amiss.push_back("control " + std::to_string(child->Id()) + " draws in " + font.face + " "
                        + std::to_string(font.points) + " pt, weight " + std::to_string(font.weight) + ", not "
                        + model.face + " " + std::to_string(model.height) + " pt, weight "
                        + std::to_string(model.weight));
    }
    return amiss;
}

// The tour's front end: the Windows front end itself, installed for the tour's life.
class CWin32Tour : public tour::CTourFrontEnd {
public:
    explicit CWin32Tour(WindowSeen popupSeen) : popupSeen(std::move(popupSeen)) {}
    ~CWin32Tour() override
    {
        if (installed)
            SetFrontEnd(nullptr);
    }

    void Install() override
    {
        if (installed)
            return;
        ASSERT_TRUE(frontEnd.Start()) << "no display";
        SetFrontEnd(&frontEnd);
        installed = true;
    }
    void Settle() override
    {
        for (int i = 0; i < 30; ++i) {
            RunQueuedMessages();
            std::this_thread::yield();
        }
    }
    std::unique_ptr<tour::CPopupWatch> WatchPopups(const std::string& where) override
    {
        return std::make_unique<CWin32PopupWatch>(frontEnd, popupSeen, where);
    }

private:
    CWin32FrontEnd frontEnd;
    WindowSeen popupSeen;
    bool installed = false;
};

TEST(Win32Screenshots, EveryPageAndDialogInEnglishAndGermanIsAWholePicture)
{
    const char* folder = std::getenv("PLINTOR_SCREENSHOT_DIR");
    const std::filesystem::path out = folder && *folder ? folder : "";
    if (!out.empty())
        std::filesystem::create_directories(out);
    // PLINTOR_TOUR_LANGUAGES=en: the English tour only (the second DPI's run).
    const char* only = std::getenv("PLINTOR_TOUR_LANGUAGES");
    const bool englishOnly = only && std::string(only) == "en";
    const std::pair<LangId, std::string> languages[] = {{LANG_ENGLISH_US, ""}, {0x0407, "de-"}};
    for (const auto& [language, prefix] : languages) {
        if (englishOnly && language != LANG_ENGLISH_US)
            continue;
        SCOPED_TRACE(prefix.empty() ? "English" : prefix);
        std::vector<std::string> faults;
        int pictures = 0, boxes = 0, guides = 0, dialogs = 0;
        std::set<int> pages;
        auto take = [&, &prefix = prefix](const std::string& name, NativeWindow window) {
            const std::string file = tour::PictureName(prefix, name, pictures++);
            test::RgbImage image;
            if (!window || !TakeWindowPicture(window, image))
                faults.push_back(file + ": no picture");
            else if (test::IsOneColour(image))
                faults.push_back(file + ": one colour");
            else if (!out.empty() && !test::WritePng(out / file, image))
                faults.push_back(file + ": not written");
        };
        auto fit = [&faults, &prefix = prefix](const std::string& name, NativeWindow window) {
            for (const std::string& why : ClippedTexts(window))
                faults.push_back(prefix + name + ": " + why);
            for (const std::string& why : UnfilledPictures(window))
                faults.push_back(prefix + name + ": " + why);
        };
        auto fonts = [&faults, &prefix = prefix](const std::string& name, CDialog& dialog) {
            for (const std::string& why : FontsAmiss(dialog))
                faults.push_back(prefix + name + ": " + why);
        };
        CWin32Tour frontEnd([&](const std::string& name, NativeWindow window) {
            const bool box = name.find(" message ") != std::string::npos;
            boxes += box;
            take(name, window);
            if (!box)
                fit(name, window);
        });
        tour::TourEveryPage(frontEnd, language, [&](const std::string& name, CWizardDlg& wizard, CDialog& page) {
            pages.insert(wizard.currentPage);
            take(name, CWin32FrontEnd::NativeOf(wizard));
            fit(name, CWin32FrontEnd::NativeOf(wizard));
            fonts(name, page);
            fonts(name, wizard);
            guides += tour::OpenEveryGuide(page);
        });
        tour::TourDialogs(frontEnd, language, [&](const std::string& name, CDialog& dialog) {
            ++dialogs;
            take(name, CWin32FrontEnd::NativeOf(dialog));
            fit(name, CWin32FrontEnd::NativeOf(dialog));
            fonts(name, dialog);
        });
        const int messages = tour::TourMessageBoxes(frontEnd, language);
        EXPECT_EQ(pages.size(), static_cast<std::size_t>(kPageCount));
        EXPECT_EQ(dialogs, 3);
        EXPECT_GT(guides, 20);
        EXPECT_GT(messages, 20);
        EXPECT_EQ(boxes, guides + messages) << "message boxes seen";
        for (const std::string& fault : faults)
            ADD_FAILURE() << fault;
    }
}

}
}
