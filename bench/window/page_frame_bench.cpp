// Frame times of page slides and of a live drag across a page: the launcher with 300 sample
// bundles against a bare Qt Quick window paging the same icons, both 1920×1080 on the X server it
// is started on (scripts/with-xvfb.sh 1920x1080x24), both drawn by Qt Quick's software renderer on
// its basic render loop, taking turns in the same run. Each frame's time is what both print with
// ORBITDECK_FRAME_TIMES, in microseconds from the event that starts it to its swap: the span Qt's
// render loop logs in whole milliseconds, with the input delivered at the frame's start. Neither
// side measures itself differently.
// Input comes from xdotool as a person's would: Control+Right for the slides (the launcher's
// next-page key; Right alone moves its selection, and the bare list takes it as Right), then a
// drag: a press on the last tile of the third row moved leftwards across most of the page along
// the row's names, 8 points a frame's time apart. The launcher drags a tile only while arranging,
// which the press held still starts (its long press, 0.45 s): the tile then follows the pointer,
// the others jiggle, and as it passes each name (below the icons, where a drop places rather
// than groups) they make room (live reordering). The bare grid's drag moves its pages. Only the
// frames while the pointer moves count.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "../support/bundle_icons.h"
#include "../support/sample_apps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// One window process that prints every frame's time on its standard error, and whose render loop
// logs each frame's polish there (in whole milliseconds, enough for the polish that fills a grid).
class FrameLog {
public:
    FrameLog(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment) {
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start(program, arguments);
        process_.waitForStarted();
    }
    ~FrameLog() { stopProcess(process_); }
    qint64 processId() const { return process_.processId(); }

    // Times of the frames logged so far, in order.
    const std::vector<double>& frames() {
        read();
        return frames_;
    }
    // Polish times of the frames logged so far, in order.
    const std::vector<double>& polishes() {
        read();
        return polishes_;
    }
    // Waits until `count` frames have been logged in all.
    bool frameCount(std::size_t count, int limitMs) {
        QElapsedTimer clock;
        clock.start();
        while (frames().size() < count && clock.elapsed() < limitMs &&
               process_.state() == QProcess::Running)
            QThread::msleep(5);
        return frames().size() >= count;
    }
    // Waits until frames have stopped for quietMs after at least one more than already seen.
    bool settle(std::size_t seen, int quietMs, int limitMs = 60000) {
        QElapsedTimer clock, quiet;
        clock.start();
        quiet.start();
        std::size_t count = frames().size();
        while (clock.elapsed() < limitMs && process_.state() == QProcess::Running) {
            QThread::msleep(10);
            if (const std::size_t now = frames().size(); now != count) {
                count = now;
                quiet.restart();
            }
            if (count > seen && quiet.elapsed() >= quietMs)
                return true;
        }
        return false;
    }

private:
    void read() {
        process_.waitForReadyRead(0);
        pending_ += QString::fromUtf8(process_.readAllStandardError());
        static const QRegularExpression line(QStringLiteral(
            R"(frame time: (\d+) us|Frame rendered with 'software' renderloop in \d+ms, polish=(\d+))"));
        qsizetype end = 0;
        for (auto it = line.globalMatch(pending_); it.hasNext();) {
            const auto match = it.next();
            if (match.hasCaptured(1))
                frames_.push_back(match.captured(1).toDouble() / 1000);
            else
                polishes_.push_back(match.captured(2).toDouble());
            end = match.capturedEnd();
        }
        pending_ = pending_.mid(end);
    }

    QProcess process_;
    QString pending_;
    std::vector<double> frames_, polishes_;
};

void xdotool(const QProcessEnvironment& environment, const QStringList& arguments) {
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(10000);
}

void append(std::vector<double>& to, const std::vector<double>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

struct Run {
    // Frames of the slides, of the drag, and both.
    std::vector<double> slides, drags, measured;
    // The polish of the first frame with layout work in it (over 5 ms): the one the grid fills in.
    double startPolishMs = 0;
};

// Starts one window, waits for its grid to settle, slides `slides` pages and drags across one
// (holding the press first to start arranging where the window `arranges`), stops it.
Run drive(const QString& program, const QStringList& arguments,
          const QProcessEnvironment& environment, int slides, bool arranges) {
    Run run;
    FrameLog log(program, arguments, environment);
    if (!log.settle(0, 1500))
        return run;
    if (const auto filled =
            std::ranges::find_if(log.polishes(), [](double polish) { return polish > 5; });
        filled != log.polishes().end())
        run.startPolishMs = *filled;
    xdotool(environment,
            {QStringLiteral("mousemove"), QStringLiteral("960"), QStringLiteral("540")});
    log.settle(log.frames().size(), 300, 2000);
    for (int slide = 0; slide < slides; ++slide) {
        const std::size_t before = log.frames().size();
        xdotool(environment, {QStringLiteral("key"), QStringLiteral("ctrl+Right")});
        log.settle(before, 300, 5000);
        for (std::size_t i = before; i < log.frames().size(); ++i)
            run.slides.push_back(log.frames()[i]);
    }
    // The drag, from the centre of the third row's last tile (both grids centre seven 108-point
    // cells 126 points apart) along its foot to the first column.
    const int fromX = 1329, atY = 425, alongY = 473, steps = 100, stepX = 8;
    xdotool(environment,
            {QStringLiteral("mousemove"), QString::number(fromX), QString::number(atY)});
    log.settle(log.frames().size(), 300, 2000);
    xdotool(environment, {QStringLiteral("mousedown"), QStringLiteral("1")});
    if (arranges) {
        // Held still for the long press; the jiggle's frames say that arranging began.
        QThread::msleep(450);
        if (!log.frameCount(log.frames().size() + 10, 3000)) {
            std::fputs("page frame bench: the long press did not start arranging\n", stderr);
            return run;
        }
    }
    const std::size_t before = log.frames().size();
    for (int step = 1; step <= steps; ++step) {
        xdotool(environment, {QStringLiteral("mousemove"), QString::number(fromX - step * stepX),
                              QString::number(alongY)});
        QThread::msleep(16);
    }
    const std::size_t released = log.frames().size();
    xdotool(environment, {QStringLiteral("mouseup"), QStringLiteral("1")});
    for (std::size_t i = before; i < released; ++i)
        run.drags.push_back(log.frames()[i]);
    // Escape ends arranging, and with it the jiggle's frames.
    if (arranges)
        xdotool(environment, {QStringLiteral("key"), QStringLiteral("Escape")});
    log.settle(released, 300, 5000);
    append(run.measured, run.slides);
    append(run.measured, run.drags);
    return run;
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty())
        return 0;
    std::ranges::sort(values);
    const double rank = fraction * static_cast<double>(values.size() - 1);
    const auto low = static_cast<std::size_t>(std::floor(rank));
    const std::size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (rank - static_cast<double>(low)) * (values[high] - values[low]);
}

} // namespace

int main() {
    const bool quick = qEnvironmentVariableIsSet("ORBITDECK_BENCH_QUICK");
    const int runs = quick ? 1 : 5;
    const int slides = quick ? 2 : 6;
    const QString source = qEnvironmentVariable("ORBITDECK_SOURCE_DIR", QStringLiteral(SOURCE_DIR));

    // The X server around the bench: scripts/with-xvfb.sh 1920x1080x24.
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        std::fputs("page frame bench: no X server (DISPLAY is unset)\n", stderr);
        return 1;
    }
    QTemporaryDir home;
    const QString roots = makeSampleApps(source, home.path(), 300);
    const QString iconList = home.filePath(QStringLiteral("icons.txt"));
    writeLines(iconList, bundleIcons(home.filePath(QStringLiteral("Applications"))));

    QProcessEnvironment environment = throwawayEnvironment(home.path(), roots);
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    environment.insert(QStringLiteral("QSG_RENDER_LOOP"), QStringLiteral("basic"));
    environment.insert(QStringLiteral("ORBITDECK_FRAME_TIMES"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                       QStringLiteral("qt.scenegraph.time.renderloop=true"));

    Run launcher, bare;
    std::vector<double> launcherPolish, barePolish;
    for (int run = 0; run < runs; ++run) {
        const Run one = drive(launcherPath(), {}, environment, slides, true);
        const Run base =
            drive(QStringLiteral(BARE_PAGING_PATH), {iconList}, environment, slides, false);
        append(launcher.slides, one.slides);
        append(launcher.drags, one.drags);
        append(launcher.measured, one.measured);
        launcherPolish.push_back(one.startPolishMs);
        append(bare.slides, base.slides);
        append(bare.drags, base.drags);
        append(bare.measured, base.measured);
        barePolish.push_back(base.startPolishMs);
    }

    const auto line = [](const char* what, const std::vector<double>& a,
                         const std::vector<double>& b) {
        const double pa = percentile(a, 0.95), pb = percentile(b, 0.95);
        std::printf("%s frame time p95: launcher %.2f ms, bare grid %.2f ms, ratio %.2f x\n", what,
                    pa, pb, pb > 0 ? pa / pb : 0.0);
        return pa > 0 && pb > 0;
    };
    std::printf("frames at 1920x1080, software renderer, %d runs of %d page slides and a drag "
                "(%zu / %zu launcher frames, %zu / %zu bare)\n",
                runs, slides, launcher.slides.size(), launcher.drags.size(), bare.slides.size(),
                bare.drags.size());
    const bool slid = line("page slide", launcher.slides, bare.slides);
    const bool dragged = line("drag", launcher.drags, bare.drags);
    const double worst =
        launcher.measured.empty() ? 0 : *std::ranges::max_element(launcher.measured);
    const double bareP95 = percentile(bare.slides, 0.95);
    const double bareWorst = bare.measured.empty() ? 0 : *std::ranges::max_element(bare.measured);
    std::printf("  launcher's longest frame of the slides and the drag %.1f ms, %.2f x the bare "
                "grid's slide p95 (goal: at most 2 x); the bare grid's own longest %.1f ms, "
                "%.2f x\n",
                worst, bareP95 > 0 ? worst / bareP95 : 0.0, bareWorst,
                bareP95 > 0 ? bareWorst / bareP95 : 0.0);
    const double polish = percentile(launcherPolish, 0.5), basePolish = percentile(barePolish, 0.5);
    std::printf("  polish of the frame the grid fills in: launcher %.1f ms, bare grid %.1f ms, "
                "ratio %.2f x (goal: at "
                "most 1.5 x)\n",
                polish, basePolish, basePolish > 0 ? polish / basePolish : 0.0);
    return slid && dragged ? 0 : 1;
}
