// Cold start of the launcher to the first frame of its full grid (300 sample applications),
// and its resident memory then, next to a bare Qt Quick GridView window of the same icons
// started the same way in the same run. Both run offscreen; the launcher reports its grid
// through its test-only state report, the baseline touches a marker file.
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "../support/sample_apps.h"
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Sample {
    double firstFrameMs = 0; // the window's first frame, whatever it shows
    double startMs = 0;      // the first frame of the full grid
    double rssMb = 0;
};

double residentMegabytes(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Starts program, waits until ready() holds (at most 60 s), measures, stops it.
Sample measure(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment, const std::function<bool()>& shown,
               const std::function<bool()>& ready) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    process.waitForStarted();
    Sample sample;
    while (clock.elapsed() < 60000 && process.state() == QProcess::Running) {
        if (sample.firstFrameMs == 0 && shown())
            sample.firstFrameMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        if (ready()) {
            sample.startMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            break;
        }
        QThread::usleep(2000);
    }
    // Memory once the first frame is up and the window has settled.
    QThread::msleep(500);
    sample.rssMb = residentMegabytes(process.processId());
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    return sample;
}

bool launcherShowsGrid(const QString& reportPath) {
    QFile file(reportPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject items =
        QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("items")).toObject();
    int cells = 0;
    for (auto it = items.begin(); it != items.end(); ++it)
        cells += it.key().startsWith(QStringLiteral("library-cell-")) ? 1 : 0;
    return cells >= 35;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main() {
    const bool quick = qEnvironmentVariableIsSet("ORBITDECK_BENCH_QUICK");
    const int runs = quick ? 1 : 7;
    const QString source = qEnvironmentVariable("ORBITDECK_SOURCE_DIR", QStringLiteral(SOURCE_DIR));

    QTemporaryDir home;
    const QString roots = makeSampleApps(source, home.path(), 300);

    // The same icon files for the baseline, in bundle order.
    const QString iconList = home.filePath(QStringLiteral("icons.txt"));
    {
        QStringList icons;
        QDirIterator it(home.filePath(QStringLiteral("Applications")), {QStringLiteral("*.png")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            icons << it.next();
        icons.sort();
        QFile out(iconList);
        out.open(QIODevice::WriteOnly);
        out.write(icons.join('\n').toUtf8());
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral(".cache")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
    environment.insert(QStringLiteral("AMBERGRID_TEST_DEFAULTS"), QStringLiteral("1"));
    environment.insert(QStringLiteral("ORBITDECK_APP_ROOTS"), roots);

    std::vector<double> launcherMs, launcherFirstMs, launcherMb, bareMs, bareMb;
    for (int run = 0; run < runs; ++run) {
        const QString report = home.filePath(QStringLiteral("report-%1.json").arg(run));
        QProcessEnvironment launcherEnvironment = environment;
        launcherEnvironment.insert(QStringLiteral("ORBITDECK_STATE_REPORT"), report);
        const Sample launcher = measure(
            QStringLiteral(LAUNCHER_PATH), {}, launcherEnvironment,
            [&] { return QFile::exists(report); }, [&] { return launcherShowsGrid(report); });
        const QString marker = home.filePath(QStringLiteral("bare-%1").arg(run));
        const auto bareShown = [&] { return QFile::exists(marker); };
        const Sample bare = measure(QStringLiteral(BARE_GRID_PATH), {iconList, marker}, environment,
                                    bareShown, bareShown);
        launcherMs.push_back(launcher.startMs);
        launcherFirstMs.push_back(launcher.firstFrameMs);
        launcherMb.push_back(launcher.rssMb);
        bareMs.push_back(bare.startMs);
        bareMb.push_back(bare.rssMb);
    }
    const double ms = median(launcherMs), baseMs = median(bareMs);
    const double mb = median(launcherMb), baseMb = median(bareMb);
    std::printf("window cold start to full grid (300 apps, median of %d)\n", runs);
    std::printf("  launcher   %8.1f ms  %7.1f MB resident\n", ms, mb);
    std::printf("  bare grid  %8.1f ms  %7.1f MB resident\n", baseMs, baseMb);
    std::printf("  ratio      %8.2f x   %7.2f x    (goal: at most 1.5 x)\n",
                baseMs > 0 ? ms / baseMs : 0.0, baseMb > 0 ? mb / baseMb : 0.0);
    // The window itself (its loading state) against the whole bare grid: the rest of the
    // launcher's time is the library load (scan, search index) before the grid can show.
    const double firstMs = median(launcherFirstMs);
    std::printf("  launcher window up (loading state) %8.1f ms, %.2f x the bare grid\n", firstMs,
                baseMs > 0 ? firstMs / baseMs : 0.0);
    return ms > 0 && baseMs > 0 ? 0 : 1;
}
