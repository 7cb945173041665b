#include "VxAbort.h"

#include "VxDialogs.h"

void VxAbort() { throw EVxAbort(); }

QString VxErrorText(const std::exception& e) {
    if (auto vx = dynamic_cast<const EVxError*>(&e))
        return vx->message();
    return QString::fromLocal8Bit(e.what());
}

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
