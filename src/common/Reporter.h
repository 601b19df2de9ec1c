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
    std::vector<ReportedMessage> messages;
};

// Swallows every message, for callers that check only the result.
class SilentReporter : public Reporter {
public:
    void report(const std::string&, const std::string&, MessageIcon) override {}
};

} // namespace zev::common
