// The error box of VxGuard needs widgets, so it lives in vxcommon while the
// rest of VxAbort.h stays in the QtCore library vxcore.
#include "VxAbort.h"
#include "VxDialogs.h"

bool VxGuard(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const EVxAbort&) {
        return false;
    } catch (const std::exception& e) {
        VxDialogs::error(parent, VxErrorText(e));
        return false;
    } catch (...) {
        VxDialogs::error(parent, QStringLiteral("Unexpected error"));
        return false;
    }
}
