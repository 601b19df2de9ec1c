#pragma once

#include "common/Reporter.h"

#include <functional>

class QWidget;

namespace zev::app {

// The one message routine of the editor: a modal message box over `parent`. While the workspace
// runs full screen it installs a hook that makes the box safe there (rendering paused, the
// desktop shown, then restored).
class GuiReporter : public common::Reporter {
public:
    explicit GuiReporter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    // Runs `show` around each box: the hook gets the box as a callable.
    void setFullScreenHook(std::function<void(const std::function<void()>&)> hook) {
        hook_ = std::move(hook);
    }
    void report(const std::string& text, const std::string& caption,
                common::MessageIcon icon) override;
    // The box keeps its fixed text; which file and why goes to the log.
    void detail(const std::string& text) override;

private:
    QWidget* parent_;
    std::function<void(const std::function<void()>&)> hook_;
};

} // namespace zev::app
