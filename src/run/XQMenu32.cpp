// The XQMenu32 object and the members that show and hide its group windows.

#include <XQTestDev/XQMenu32.h>

#include "frame/LibraryState.h"
#include "run/MenuBuild.h"
#include "run/MenuPages.h"
#include "run/ResultsFile.h"
#include "run/RunRecordBuilder.h"
#include "run/RunReset.h"
#include "run/RunSession.h"
#include "run/XQMenu32Header.h"
#include "run/XQMenu32Private.h"

namespace XQTestDev {

XQMenu32::XQMenu32(QObject* parent) : QObject(parent), d(std::make_unique<XQMenu32Private>()) {
    ensureLibraryStarted();
    removeResultsFile();
    forgetFinishedRunRecord();
    createHeader(*this, *d);
}

XQMenu32::~XQMenu32() {
    if (runSession().owner == this)
        closeGroupWindows();
}

void XQMenu32::ShowMenu() {
    RunSession& menu = runSession();
    const bool startsEnabled = !runModel().standing.active && !d->disableGroupTestButton;
    if (!menu.groupWindows.isEmpty()) {
        // Windows of one page only: the pages share their screen positions.
        showMenuPage(menu.shownPage < 0 ? 0 : menu.shownPage);
        setGroupStartsEnabled(startsEnabled);
        showHeaderWithMenu(*d);
        return;
    }
    if (menu.model.run.product.isEmpty() && !ShowUserEntry())
        return;
    applyMenuScale(*d);
    if (!buildTestMenu(d->enableTestPrompt, d->groupOrder))
        return;
    menu.owner = this;
    setGroupStartsEnabled(startsEnabled);
    showMenuPage(0, SpecErrorWindows::Hide);
    showHeaderWithMenu(*d);
}

void XQMenu32::HideMenu() {
    resetRunAndHeader(*d);
}

bool XQMenu32::EnableTestPrompt() const {
    return d->enableTestPrompt;
}
void XQMenu32::setEnableTestPrompt(bool enabled) {
    d->enableTestPrompt = enabled;
}

bool XQMenu32::DisableGroupTestButton() const {
    return d->disableGroupTestButton;
}
void XQMenu32::setDisableGroupTestButton(bool disabled) {
    d->disableGroupTestButton = disabled;
}

} // namespace XQTestDev
