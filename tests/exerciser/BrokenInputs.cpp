#include "BrokenInputs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace kurvex::exerciser {

namespace {

const QString kSideSuffix = QStringLiteral(".zi4");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the input %s", qPrintable(path));
}

QByteArray RandomBytes(Random& random, int length)
{
    QByteArray bytes(length, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random.Int(0, 255));
    return bytes;
}

QByteArray FlipBytes(QByteArray bytes, Random& random, int flips)
{
    if (bytes.isEmpty())
        return bytes;
    for (int i = 0; i < flips; ++i) {
        const int at = random.Int(0, static_cast<int>(bytes.size()) - 1);
        bytes[at] = static_cast<char>(bytes[at] ^ random.Int(1, 255));
    }
    return bytes;
}

// Numbers a hand-edited or damaged side file may hold.
QByteArray ExtremeNumber(Random& random)
{
    static const std::vector<QByteArray> numbers = {
        "0",           "-1",          "2147483647",  "-2147483648", "2147483648", "99999999999999999999",
        "-99999999999", "1e308",      "-1e308",      "1e400",       "nan",        "inf",
        "-0",          "0,0000001",   "3.4.5",       "",            "12abc",      "0x7fffffff",
        "4294967295",  "1.7976931348623157e308"};
    return random.Pick(numbers);
}

// Replaces runs of digits in the values of some lines by extreme numbers.
QByteArray ExtremeValues(const QByteArray& side, Random& random)
{
    QList<QByteArray> lines = side.split('\n');
    const int edits = random.Int(1, 6);
    for (int e = 0; e < edits && !lines.isEmpty(); ++e) {
        QByteArray& line = lines[random.Int(0, static_cast<int>(lines.size()) - 1)];
        const int equals = static_cast<int>(line.indexOf('='));
        QByteArray edited = line.left(equals + 1);
        for (int i = equals + 1; i < line.size();) {
            if (line[i] < '0' || line[i] > '9') {
                edited += line[i++];
                continue;
            }
            int end = i;
            while (end < line.size() && line[end] >= '0' && line[end] <= '9')
                ++end;
            edited += random.Chance(0.5) ? ExtremeNumber(random) : line.mid(i, end - i);
            i = end;
        }
        line = edited;
    }
    return lines.join('\n');
}

// Lines repeated, dropped and shuffled.
QByteArray ShuffledLines(const QByteArray& side, Random& random)
{
    QList<QByteArray> lines = side.split('\n');
    QList<QByteArray> result;
    for (const QByteArray& line : lines) {
        const int copies = random.Chance(0.15) ? 0 : (random.Chance(0.15) ? 3 : 1);
        for (int i = 0; i < copies; ++i)
            result.insert(random.Int(0, static_cast<int>(result.size())), line);
    }
    return result.join('\n');
}

// A side file that looks like one: the keys of a real one with noise as values.
QByteArray NoisySideFile(const QByteArray& real, Random& random)
{
    static const QByteArray alphabet = QByteArrayLiteral("0123456789;|[]_-.,{}<>=#\xBF CRLFgtlounderscore");
    QByteArray side;
    for (const QByteArray& line : real.split('\n')) {
        const int equals = static_cast<int>(line.indexOf('='));
        if (equals < 0)
            continue;
        side += line.left(equals + 1);
        const int length = random.Chance(0.05) ? random.Int(3000, 20000) : random.Int(0, 60);
        for (int i = 0; i < length; ++i)
            side += alphabet.at(random.Int(0, static_cast<int>(alphabet.size()) - 1));
        side += "\r\n";
    }
    return side;
}

}  // namespace

Inputs MakeInputs(const QString& folder, const QStringList& originals, Random& random)
{
    Inputs inputs;
    inputs.files = originals;
    const QDir dir(folder);
    const QString pipe = dir.filePath(QStringLiteral("pipe.pbs"));
    if (mkfifo(QFile::encodeName(pipe).constData(), 0600) != 0)
        qFatal("cannot make the named pipe %s", qPrintable(pipe));
    inputs.devices << QStringLiteral("/dev/zero") << QStringLiteral("/dev/null") << pipe;
    int counter = 0;
    auto name = [&](const QString& kind, const QString& original) {
        return dir.filePath(QStringLiteral("%1_%2_%3").arg(kind).arg(++counter).arg(QFileInfo(original).fileName()));
    };
    auto addFile = [&](const QString& path, const QByteArray& bytes) {
        Write(path, bytes);
        inputs.files << path;
    };

    QStringList measurements;  // originals that are not side files
    for (const QString& original : originals) {
        if (!original.endsWith(kSideSuffix))
            measurements << original;
    }
    QStringList withSide;  // measurement files that have a side file
    for (const QString& original : measurements) {
        if (QFileInfo::exists(original + kSideSuffix))
            withSide << original;
    }

    // Recordings cut off anywhere, with their side file when they have one.
    for (int i = 0; i < 10; ++i) {
        const QString original = random.Pick(measurements);
        const QByteArray bytes = ReadAll(original);
        const int length = bytes.isEmpty() ? 0 : random.Int(0, static_cast<int>(bytes.size()) - 1);
        const QString path = name(QStringLiteral("cut"), original);
        addFile(path, bytes.left(length));
        if (QFileInfo::exists(original + kSideSuffix))
            Write(path + kSideSuffix, ReadAll(original + kSideSuffix));
    }
    // Flipped bytes.
    for (int i = 0; i < 10; ++i) {
        const QString original = random.Pick(measurements);
        const QString path = name(QStringLiteral("flip"), original);
        addFile(path, FlipBytes(ReadAll(original), random, random.Int(1, 24)));
        if (QFileInfo::exists(original + kSideSuffix))
            Write(path + kSideSuffix, ReadAll(original + kSideSuffix));
    }
    // Good recordings with damaged or strange side files.
    if (!withSide.isEmpty()) {
        for (int i = 0; i < 14; ++i) {
            const QString original = random.Pick(withSide);
            const QByteArray side = ReadAll(original + kSideSuffix);
            const QString path = name(QStringLiteral("side"), original);
            addFile(path, ReadAll(original));
            QByteArray broken;
            switch (i % 7) {
            case 0: broken = RandomBytes(random, random.Int(0, 4096)); break;
            case 1: broken = FlipBytes(side, random, random.Int(1, 40)); break;
            case 2: broken = side.left(random.Int(0, static_cast<int>(side.size()))); break;
            case 3: broken = ExtremeValues(side, random); break;
            case 4: broken = ShuffledLines(side, random); break;
            case 5: broken = NoisySideFile(side, random); break;
            case 6: {
                // Comparison runs anywhere: other inputs, a folder, nothing, devices.
                const QStringList targets = {random.Pick(originals), folder, dir.filePath(QStringLiteral("none.pbs")),
                                             QStringLiteral("/dev/null"), path, QStringLiteral("/dev/zero"), pipe,
                                             QStringLiteral("C:\\messungen\\fehlt.pbs"), QString()};
                broken = side;
                for (int slot = 1; slot <= 4; ++slot) {
                    broken += QStringLiteral("\r\nVGL_PATH_%1=%2\r\nVGL_OFF_%1=%3\r\nVGL_MIRROR_%1=%4")
                                  .arg(slot)
                                  .arg(random.Pick(targets))
                                  .arg(QString::fromLatin1(ExtremeNumber(random)))
                                  .arg(random.Int(0, 1))
                                  .toUtf8();
                }
                broken += "\r\n";
                break;
            }
            }
            Write(path + kSideSuffix, broken);
        }
        // Files without a side file of their own get one of noise.
        for (int i = 0; i < 4; ++i) {
            const QString original = random.Pick(measurements);
            const QString path = name(QStringLiteral("alien"), original);
            addFile(path, ReadAll(original));
            Write(path + kSideSuffix, NoisySideFile(ReadAll(random.Pick(withSide) + kSideSuffix), random));
        }
    }

    // A long recording: the records of a device file over and over, its
    // stations running back at every repetition.
    for (const QString& original : measurements) {
        const QByteArray bytes = ReadAll(original);
        const QByteArray marker = QByteArrayLiteral("***\r\n");
        const int first = static_cast<int>(bytes.indexOf(marker));
        const int last = static_cast<int>(bytes.lastIndexOf(marker));
        if (!bytes.startsWith("PM01BS02") || first < 0 || last <= first)
            continue;
        const QByteArray records = bytes.mid(first + marker.size(), last - first - marker.size());
        addFile(name(QStringLiteral("long"), original),
                bytes.left(first + marker.size()) + records.repeated(40) + bytes.mid(last));
        break;
    }

    // Nothing at all, and noise.
    addFile(dir.filePath(QStringLiteral("empty.pbs")), QByteArray());
    addFile(dir.filePath(QStringLiteral("empty_side.pbs")), QByteArray());
    Write(dir.filePath(QStringLiteral("empty_side.pbs")) + kSideSuffix, QByteArray());
    addFile(dir.filePath(QStringLiteral("noise.bin")), RandomBytes(random, 20000));
    QByteArray longLine(200000, 'x');
    longLine += "\r\n1;2;3\r\n";
    addFile(dir.filePath(QStringLiteral("long_line.txt")), longLine);

    // Folders where a file or a side file should be.
    const QString folderFile = dir.filePath(QStringLiteral("folder.pbs"));
    dir.mkdir(QStringLiteral("folder.pbs"));
    inputs.folders << folderFile;
    if (!withSide.isEmpty()) {
        const QString sideFolder = dir.filePath(QStringLiteral("side_folder.pbs"));
        addFile(sideFolder, ReadAll(withSide.first()));
        dir.mkdir(QStringLiteral("side_folder.pbs") + kSideSuffix);
    }

    // Side files and comment files that are devices or pipes.
    if (!withSide.isEmpty()) {
        const QString sideDevice = dir.filePath(QStringLiteral("side_device.pbs"));
        addFile(sideDevice, ReadAll(withSide.first()));
        QFile::link(QStringLiteral("/dev/zero"), sideDevice + kSideSuffix);
        const QString sidePipe = dir.filePath(QStringLiteral("side_pipe.pbs"));
        addFile(sidePipe, ReadAll(withSide.first()));
        QFile::link(pipe, sidePipe + kSideSuffix);
    }
    for (const QString& original : measurements) {
        if (!QFileInfo::exists(original.left(original.size() - 4) + QStringLiteral(".PGC")))
            continue;
        const QString table = dir.filePath(QStringLiteral("comment_device.dat"));
        addFile(table, ReadAll(original));
        QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("comment_device.PGC")));
        break;
    }

    // Names a label or a menu must not take for markup or mnemonics.
    for (const QString& original : withSide) {
        const QString path = dir.filePath(QStringLiteral("a&b <b>fett<i> Stra\u00dfe %1 &&") + QFileInfo(original).fileName());
        addFile(path, ReadAll(original));
        Write(path + kSideSuffix, ReadAll(original + kSideSuffix));
    }

    inputs.missing << dir.filePath(QStringLiteral("missing.pbs")) << QStringLiteral("/nonexistent/folder/run.pbs")
                   << dir.filePath(QStringLiteral("missing_side.pbs") + kSideSuffix);
    return inputs;
}

}  // namespace kurvex::exerciser
