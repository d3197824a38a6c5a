#include "web/page_clone_host.h"

#include <emscripten.h>

#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"

// clang-format off
EM_JS(void, PageStatus, (const char* text), { Module.host.setStatusText(UTF8ToString(text)); });
EM_JS(void, PageCreateProgress, (const char* caption), {
    Module.host.createProgress(UTF8ToString(caption));
});
EM_JS(void, PageProgress, (int percent), { Module.host.setProgressPos(percent); });
EM_JS(int, PageCheckCancel, (), { return Module.host.checkCancel() ? 1 : 0; });
EM_JS(void, PageDestroyProgress, (), { Module.host.destroyProgress(); });
EM_ASYNC_JS(void, PageNotice, (const char* text, int warning), {
    await Module.host.showNotice(UTF8ToString(text), warning !== 0);
});
EM_ASYNC_JS(int, PageAsk, (const char* text), {
    return (await Module.host.askOkCancel(UTF8ToString(text))) ? 1 : 0;
});
EM_ASYNC_JS(void, PageInformation, (const char* model, const char* comment), {
    await Module.host.showInformation(UTF8ToString(model), UTF8ToString(comment));
});
EM_JS(void, PageWaitCursor, (int busy), { Module.host.setBusy(busy !== 0); });
EM_ASYNC_JS(void, PageBeep, (unsigned frequency, unsigned milliseconds), {
    await Module.host.beep(frequency, milliseconds);
});
// clang-format on

void CPageCloneHost::SetStatusText(const std::string& text)
{
    PageStatus(text.c_str());
}

void CPageCloneHost::CreateProgress(const std::string& caption)
{
    PageCreateProgress(caption.c_str());
}

void CPageCloneHost::SetProgressPos(int percent)
{
    PageProgress(percent);
}

bool CPageCloneHost::CheckCancel()
{
    return PageCheckCancel() != 0;
}

void CPageCloneHost::DestroyProgress()
{
    PageDestroyProgress();
}

void CPageCloneHost::ShowNotice(const std::string& text, EIcon icon)
{
    PageNotice(text.c_str(), icon == EIcon::Exclamation ? 1 : 0);
}

bool CPageCloneHost::AskOkCancel(const std::string& text)
{
    return PageAsk(text.c_str()) != 0;
}

void CPageCloneHost::ShowInformation(const std::string& model, const std::string& comment)
{
    PageInformation(model.c_str(), comment.c_str());
}

void CPageCloneHost::BeginWaitCursor()
{
    PageWaitCursor(1);
}

void CPageCloneHost::EndWaitCursor()
{
    PageWaitCursor(0);
}

void CPageCloneHost::Beep(unsigned frequency, unsigned milliseconds)
{
    PageBeep(frequency, milliseconds);
}

void CPageCloneHost::WarnBackupNotSaved(const std::string& reason)
{
    SetStatusText(FormatText(LoadResString(IDS_BACKUP_NOT_SAVED_STATUS), {reason}));
}
