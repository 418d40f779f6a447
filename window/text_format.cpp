#include "window/text_format.h"

#include <QRegularExpression>

namespace orbitdeck {

QString fillFormat(const QString& format, const QStringList& arguments) {
    static const QRegularExpression placeholder(QStringLiteral("%(?:(\\d+)\\$)?(@|lld|ld|d)"));
    QString result;
    qsizetype last = 0;
    qsizetype next = 0;
    auto matches = placeholder.globalMatch(format);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += format.mid(last, match.capturedStart() - last);
        qsizetype index = next++;
        if (match.hasCaptured(1))
            index = match.captured(1).toLongLong() - 1;
        result += (index >= 0 && index < arguments.size()) ? arguments.at(index) : QString();
        last = match.capturedEnd();
    }
    result += format.mid(last);
    return result;
}

} // namespace orbitdeck
