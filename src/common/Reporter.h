#pragma once

#include <string>
#include <vector>

// The one sink of every message the user sees: a text, a caption and an icon, as a message
// box shows them. The editor shows a box; the command-line tool prints; tests record.
namespace zev::common {

enum class MessageIcon { None, Information, Warning, Stop, Question };

class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void report(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // What lies behind the last message where its text is fixed: the file and the system's
    // reason ("cannot write source/ABCD/ABCD.wld: No space left on device"). A box does not
    // show it; the command-line tool prints it.
    virtual void detail(const std::string& text) { (void)text; }
};

struct ReportedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    friend bool operator==(const ReportedMessage&, const ReportedMessage&) = default;
};

class RecordingReporter : public Reporter {
public:
    void report(const std::string& text, const std::string& caption, MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    void detail(const std::string& text) override { details.push_back(text); }
    std::vector<ReportedMessage> messages;
    std::vector<std::string> details;
};

// Swallows every message, for callers that check only the result.
class SilentReporter : public Reporter {
public:
    void report(const std::string&, const std::string&, MessageIcon) override {}
};

} // namespace zev::common
