#include "wizard/Messages.h"

#include "core/StringTable.h"
#include "ui/MessageBox.h"

namespace plintor {

int ShowMessage(LangId language, CWindow* owner, StringId textId, StringId titleId,
                std::uint32_t style)
{
    return ShowMessageText(language, owner, LoadText(language, textId), titleId, style);
}

int ShowMessageText(LangId language, CWindow* owner, const std::string& text, StringId titleId,
                    std::uint32_t style)
{
    MessageBoxRequest request;
    request.owner = owner;
    request.text = text;
    request.caption = LoadText(language, titleId);
    request.style = style;
    request.language = language;
    return ShowMessageBox(request);
}

}
