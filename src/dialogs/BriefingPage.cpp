#include "BriefingPage.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace zev::dialogs {

void showBriefingPage(QTextDocument& page, std::span<const std::uint8_t> rtf) {
    page.clear();
    QTextCursor cursor(&page);
    for (const build::ColourRun& run : build::readBriefingRtf(rtf).runs) {
        QTextCharFormat format;
        if (run.colour)
            format.setForeground(QColor(run.colour->red, run.colour->green, run.colour->blue));
        cursor.insertText(QString::fromLatin1(run.text.data(), qsizetype(run.text.size())), format);
    }
    page.clearUndoRedoStacks();
    page.setModified(false);
}

std::vector<build::ColourRun> briefingPageRuns(const QTextDocument& page) {
    std::vector<build::ColourRun> runs;
    const auto add = [&runs](const QString& text, const std::optional<build::Rgb>& colour) {
        QString plain = text;
        plain.replace(QChar::LineSeparator, QLatin1Char('\n'));
        plain.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        const std::string bytes = plain.toLatin1().toStdString();
        if (bytes.empty())
            return;
        if (!runs.empty() && runs.back().colour == colour)
            runs.back().text += bytes;
        else
            runs.push_back({bytes, colour});
    };
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        if (block != page.begin())
            add(QStringLiteral("\n"), runs.empty() ? std::nullopt : runs.back().colour);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            std::optional<build::Rgb> colour;
            if (format.hasProperty(QTextFormat::ForegroundBrush) &&
                format.foreground().style() != Qt::NoBrush) {
                const QColor c = format.foreground().color();
                colour = build::Rgb{std::uint8_t(c.red()), std::uint8_t(c.green()),
                                    std::uint8_t(c.blue())};
            }
            add(fragment.text(), colour);
        }
    }
    return runs;
}

std::vector<std::uint8_t> storedBriefingPage(const QTextDocument& page,
                                             const std::vector<std::uint8_t>& loaded) {
    if (!page.isModified())
        return loaded;
    const std::string rtf = build::writeBriefingRtf(briefingPageRuns(page));
    return {rtf.begin(), rtf.end()};
}

} // namespace zev::dialogs
