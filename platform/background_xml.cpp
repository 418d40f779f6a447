#include "platform/background_xml.h"

#include <QDir>
#include <QXmlStreamReader>

#include <cmath>
#include <vector>

namespace orbitdeck::background_xml {

namespace {

struct Sized {
    QSize size; // invalid when the file gives none
    QString path;
};

// One entry of the cycle: a static picture (only `from`) or a transition from one to another.
struct Slide {
    double seconds = 0;
    std::vector<Sized> from;
    std::vector<Sized> to;
};

struct Description {
    std::optional<QDateTime> start;
    std::vector<Slide> slides;
};

// The text of the current element, or its <size> children when it has them.
std::vector<Sized> readFiles(QXmlStreamReader& xml) {
    std::vector<Sized> files;
    QString text;
    while (xml.readNext() != QXmlStreamReader::EndElement && !xml.hasError()) {
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement()) {
            if (xml.name() == u"size") {
                const auto attributes = xml.attributes();
                const QSize size(attributes.value(QLatin1String("width")).toInt(),
                                 attributes.value(QLatin1String("height")).toInt());
                files.push_back({size, xml.readElementText().trimmed()});
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    if (files.empty() && !text.trimmed().isEmpty())
        files.push_back({QSize(), text.trimmed()});
    return files;
}

std::optional<QDateTime> readStart(QXmlStreamReader& xml) {
    int parts[6] = {0, 1, 1, 0, 0, 0};
    static constexpr const char16_t* names[6] = {u"year", u"month",  u"day",
                                                 u"hour", u"minute", u"second"};
    while (xml.readNextStartElement()) {
        bool known = false;
        for (int i = 0; i < 6; ++i) {
            if (xml.name() == QStringView(names[i])) {
                parts[i] = xml.readElementText().trimmed().toInt();
                known = true;
            }
        }
        if (!known)
            xml.skipCurrentElement();
    }
    const QDateTime start(QDate(parts[0], parts[1], parts[2]), QTime(parts[3], parts[4], parts[5]));
    return start.isValid() ? std::optional(start) : std::nullopt;
}

Slide readSlide(QXmlStreamReader& xml) {
    Slide slide;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"duration")
            slide.seconds = xml.readElementText().trimmed().toDouble();
        else if (xml.name() == u"file" || xml.name() == u"from")
            slide.from = readFiles(xml);
        else if (xml.name() == u"to")
            slide.to = readFiles(xml);
        else
            xml.skipCurrentElement();
    }
    return slide;
}

std::optional<Description> parse(const QByteArray& bytes) {
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != u"background")
        return std::nullopt;
    Description description;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"starttime")
            description.start = readStart(xml);
        else if (xml.name() == u"static" || xml.name() == u"transition")
            description.slides.push_back(readSlide(xml));
        else
            xml.skipCurrentElement();
    }
    if (xml.hasError())
        return std::nullopt;
    return description;
}

// The smallest size that covers the screen, else the largest; the screen itself when listed.
QString bestFit(const std::vector<Sized>& files, const QSize& screen) {
    const Sized* best = nullptr;
    const auto covers = [&](const Sized& file) {
        return file.size.width() >= screen.width() && file.size.height() >= screen.height();
    };
    const auto area = [](const Sized& file) {
        return qint64(file.size.width()) * qint64(file.size.height());
    };
    for (const Sized& file : files) {
        if (best == nullptr) {
            best = &file;
        } else if (covers(file) != covers(*best)) {
            if (covers(file))
                best = &file;
        } else if (covers(file) ? area(file) < area(*best) : area(file) > area(*best)) {
            best = &file;
        }
    }
    return best ? best->path : QString();
}

} // namespace

std::optional<QString> currentPicture(const QByteArray& xml, const QDateTime& now,
                                      const QSize& screen, const QString& folder) {
    if (xml.size() > maxBytes)
        return std::nullopt;
    const std::optional<Description> description = parse(xml);
    if (!description || description->slides.empty())
        return std::nullopt;
    double total = 0;
    for (const Slide& slide : description->slides)
        total += std::max(slide.seconds, 0.0);
    // Without a start time or a length the cycle stands still at its first entry.
    double elapsed = 0;
    if (description->start && total > 0 && std::isfinite(total)) {
        const double since = double(description->start->msecsTo(now)) / 1000.0;
        elapsed = std::fmod(since, total);
        if (elapsed < 0)
            elapsed += total;
    }
    const Slide* current = &description->slides.front();
    double inSlide = elapsed;
    for (const Slide& slide : description->slides) {
        const double length = std::max(slide.seconds, 0.0);
        if (inSlide < length) {
            current = &slide;
            break;
        }
        inSlide -= length;
    }
    const bool nearerTo = !current->to.empty() && inSlide >= current->seconds / 2;
    const QString path = bestFit(nearerTo ? current->to : current->from, screen);
    if (path.isEmpty())
        return std::nullopt;
    return QDir::isAbsolutePath(path) ? path : QDir(folder).filePath(path);
}

} // namespace orbitdeck::background_xml
