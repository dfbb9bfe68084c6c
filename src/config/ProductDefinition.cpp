#include "config/ProductDefinition.h"

#include "config/StationFiles.h"
#include "frame/MessageBox.h"

#include <QFile>

#include <sys/stat.h>

namespace XQTestDev {

namespace {

// The profile reader returns at most this many characters of a value.
constexpr int MaxValueLength = 1022;

struct FileIdentity {
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    qint64 size = -1;
    quint64 inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

qint64 nanoseconds(const struct timespec& time) {
    return static_cast<qint64>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

// Taken before the file is read, so that an edit in between causes one more
// read rather than a stale cache.
FileIdentity identityOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {nanoseconds(info.st_mtim), nanoseconds(info.st_ctim), static_cast<qint64>(info.st_size),
            static_cast<quint64>(info.st_ino)};
}

QString profileValue(const IniDocument& document, const QString& section, const QString& key) {
    QString value = document.value(section, key).value_or(QString());
    if (value.size() > MaxValueLength)
        value.truncate(MaxValueLength);
    return value;
}

std::shared_ptr<const ProductSpec> parseSpec(const QString& product, const IniDocument* document) {
    const QString section = specSection(product);
    std::vector<TestLine> lines;
    lines.reserve(LastSpecKey);
    for (int number = 1; number <= LastSpecKey; ++number) {
        const QString text =
            document ? profileValue(*document, section, QString::number(number)) : QString();
        lines.push_back(parseTestLine(number, text));
    }
    const QString order =
        document ? profileValue(*document, section, QStringLiteral("ScreenGroupOrder")) : QString();
    return std::make_shared<const ProductSpec>(product, order, std::move(lines));
}

struct CachedSpec {
    QString path;
    FileIdentity identity;
    std::shared_ptr<const ProductSpec> spec;
};

CachedSpec& cache() {
    static CachedSpec cached;
    return cached;
}

} // namespace

ProductSpec::ProductSpec(QString product, QString screenGroupOrder, std::vector<TestLine> lines)
    : product_(std::move(product)), screenGroupOrder_(std::move(screenGroupOrder)),
      lines_(std::move(lines)) {}

const TestLine& ProductSpec::line(int number) const {
    static const TestLine empty;
    if (number < 1 || number > static_cast<int>(lines_.size()))
        return empty;
    return lines_[static_cast<size_t>(number - 1)];
}

int ProductSpec::lineOf(const QString& group, const QString& parameter,
                        AtIncompleteLine rule) const {
    const QString wantedGroup = group.trimmed();
    const QString wantedParameter = parameter.trimmed();
    TestLineWalk walk(*this, AtGap::Skip,
                      rule == AtIncompleteLine::Stop ? AtShortLine::Stop : AtShortLine::Skip);
    while (const TestLine* line = walk.next()) {
        if (QStringView(line->parameterName).trimmed() == wantedParameter &&
            QStringView(line->groupName).trimmed() == wantedGroup)
            return line->number;
    }
    return 0;
}

TestLineWalk::TestLineWalk(const ProductSpec& spec, AtGap gap, AtShortLine shortLine)
    : spec_(spec), gap_(gap), shortLine_(shortLine) {}

const TestLine* TestLineWalk::next() {
    while (!ended_) {
        if (++number_ > LastSpecKey) {
            ended_ = true;
            end_ = WalkEnd::NoEndTag;
            return nullptr;
        }
        const TestLine& line = spec_.line(number_);
        switch (line.kind) {
        case LineKind::Complete:
            return &line;
        case LineKind::EndTag:
            ended_ = true;
            end_ = WalkEnd::EndTag;
            return nullptr;
        case LineKind::Empty:
            if (gap_ == AtGap::Stop) {
                ended_ = true;
                end_ = WalkEnd::Gap;
                return nullptr;
            }
            break;
        case LineKind::Incomplete:
            if (shortLine_ == AtShortLine::Yield)
                return &line;
            if (shortLine_ == AtShortLine::Stop) {
                ended_ = true;
                end_ = WalkEnd::ShortLine;
                return nullptr;
            }
            break;
        }
    }
    return nullptr;
}

QString specSection(const QString& product) {
    return product + QStringLiteral(" Spec");
}

std::shared_ptr<const ProductSpec> readProductSpec(const QString& product) {
    const QString path = stationFilePath(StationFile::Products);
    const FileIdentity identity = identityOf(path);
    CachedSpec& cached = cache();
    if (identity.size >= 0 && cached.spec && cached.path == path && cached.identity == identity &&
        cached.spec->product() == product)
        return cached.spec;

    const IniDocument* document = stationDocument(StationFile::Products);
    if (!document) {
        showCritical(missingFileMessage(StationFile::Products));
        cached = {};
        return parseSpec(product, nullptr);
    }
    cached = {path, identity, parseSpec(product, document)};
    return cached.spec;
}

} // namespace XQTestDev
