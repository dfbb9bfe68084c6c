#include "output/RunRecordJson.h"

#include <QJsonDocument>
#include <QJsonValue>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace XQTestDev {

namespace {

QJsonValue numberJson(const std::optional<double>& number) {
    // JSON has no infinity or NaN: such a value is no number to a reader.
    if (!number || !std::isfinite(*number))
        return QJsonValue(QJsonValue::Null);
    return *number;
}

QJsonObject configFileJson(const RunRecordConfigFile& file) {
    return {{QStringLiteral("version"), file.version},
            {QStringLiteral("checksum"), file.checksum},
            {QStringLiteral("approved"), file.approved}};
}

QJsonObject lineJson(const RunRecordLine& line) {
    return {{QStringLiteral("key"), line.key},
            {QStringLiteral("group"), line.group},
            {QStringLiteral("parameter"), line.parameter},
            {QStringLiteral("min"), line.min},
            {QStringLiteral("max"), line.max},
            {QStringLiteral("unit"), line.unit},
            {QStringLiteral("value"), line.value},
            {QStringLiteral("number"), numberJson(line.number)},
            {QStringLiteral("verdict"), lineVerdictText(line.verdict)},
            {QStringLiteral("time"), recordTime(line.measuredAt)}};
}

QDateTime timeFromJson(const QJsonValue& value) {
    return QDateTime::fromString(value.toString(), Qt::ISODate);
}

RunRecordConfigFile configFileFromJson(const QJsonObject& object) {
    RunRecordConfigFile file;
    file.version = object.value(QStringLiteral("version")).toString();
    file.checksum = object.value(QStringLiteral("checksum")).toString();
    file.approved = object.value(QStringLiteral("approved")).toBool();
    return file;
}

RunRecordLine lineFromJson(const QJsonObject& object) {
    RunRecordLine line;
    line.key = object.value(QStringLiteral("key")).toString();
    line.group = object.value(QStringLiteral("group")).toString();
    line.parameter = object.value(QStringLiteral("parameter")).toString();
    line.min = object.value(QStringLiteral("min")).toString();
    line.max = object.value(QStringLiteral("max")).toString();
    line.unit = object.value(QStringLiteral("unit")).toString();
    line.value = object.value(QStringLiteral("value")).toString();
    const QJsonValue number = object.value(QStringLiteral("number"));
    if (number.isDouble())
        line.number = number.toDouble();
    line.verdict = lineVerdictOf(object.value(QStringLiteral("verdict")).toString());
    line.measuredAt = timeFromJson(object.value(QStringLiteral("time")));
    return line;
}

void fail(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

QString runRecordSchemaName() {
    return QStringLiteral("xqtestdev.run/1");
}

QString recordTime(const QDateTime& time) {
    if (!time.isValid())
        return {};
    // Built from the numbers: a run's end formats hundreds of times, and
    // QDateTime::toString parses its format each time.
    const QDate date = time.date();
    const QTime clock = time.time();
    const int offset = time.offsetFromUtc() / 60;
    const int minutes = std::abs(offset);
    // Milliseconds only where there are any: two runs of one unit a moment
    // apart stay two runs, and a time to the second reads as before.
    char fraction[8] = "";
    if (clock.msec() != 0)
        std::snprintf(fraction, sizeof fraction, ".%03d", clock.msec());
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%s%c%02d:%02d", date.year(),
                  date.month(), date.day(), clock.hour(), clock.minute(), clock.second(), fraction,
                  offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return QString::fromLatin1(text);
}

QJsonArray instrumentsJson(const RunRecord& record) {
    QJsonArray list;
    for (const RunRecordInstrument& instrument : record.instruments)
        list.append(QJsonObject{{QStringLiteral("resource"), instrument.resource},
                                {QStringLiteral("idn"), instrument.idn}});
    return list;
}

QJsonObject runRecordJson(const RunRecord& record) {
    QJsonArray lines;
    for (const RunRecordLine& line : record.lines)
        lines.append(lineJson(line));
    return {
        {QStringLiteral("schema"), runRecordSchemaName()},
        {QStringLiteral("station"), record.station},
        {QStringLiteral("operator"), record.operatorId},
        {QStringLiteral("product"), record.product},
        {QStringLiteral("model"), record.model},
        {QStringLiteral("revision"), record.revision},
        {QStringLiteral("serialNumber"), record.serialNumber},
        {QStringLiteral("workOrder"), record.workOrder},
        {QStringLiteral("testId"), record.testId},
        {QStringLiteral("start"), recordTime(record.start)},
        {QStringLiteral("finish"), recordTime(record.finish)},
        {QStringLiteral("verdict"), unitVerdictText(record.verdict)},
        {QStringLiteral("aborted"), record.aborted},
        {QStringLiteral("untested"), record.untested},
        {QStringLiteral("complete"), record.complete},
        {QStringLiteral("softwareVersion"), record.softwareVersion},
        {QStringLiteral("libraryVersion"), record.libraryVersion},
        {QStringLiteral("config"),
         QJsonObject{{QStringLiteral("ateIni"), configFileJson(record.ateIni)},
                     {QStringLiteral("productsIni"), configFileJson(record.productsIni)}}},
        {QStringLiteral("instruments"), instrumentsJson(record)},
        {QStringLiteral("lines"), lines},
    };
}

namespace {

// The file is written by hand rather than through QJsonDocument: the end of a
// run waits for it, and a document of a few hundred small objects costs
// several times the disk write. One line per test line keeps it readable and
// easy to search.
class JsonWriter {
public:
    explicit JsonWriter(qsizetype reserve) { out_.reserve(reserve); }

    JsonWriter& raw(const char* text) {
        out_ += text;
        return *this;
    }
    JsonWriter& string(const QString& text) {
        out_ += '"';
        const qsizetype size = text.size();
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t u = text[i].unicode();
            if (u == '"' || u == '\\') {
                out_ += '\\';
                out_ += char(u);
            } else if (u < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(u));
                out_ += escaped;
            } else if (u < 0x80) {
                out_ += char(u);
            } else {
                // A surrogate pair is converted whole.
                const bool pair =
                    QChar::isHighSurrogate(u) && i + 1 < size && text[i + 1].isLowSurrogate();
                out_ += QStringView(text).mid(i, pair ? 2 : 1).toUtf8();
                i += pair ? 1 : 0;
            }
        }
        out_ += '"';
        return *this;
    }
    JsonWriter& key(const char* name, const QString& value) {
        raw("\"").raw(name).raw("\": ");
        return string(value);
    }
    JsonWriter& number(const std::optional<double>& value) {
        if (!value || !std::isfinite(*value))
            return raw("null");
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, *value).ptr;
        out_.append(digits, end - digits);
        return *this;
    }
    JsonWriter& boolean(bool value) { return raw(value ? "true" : "false"); }
    JsonWriter& integer(int value) {
        out_ += QByteArray::number(value);
        return *this;
    }
    QByteArray take() { return std::move(out_); }

private:
    QByteArray out_;
};

void writeConfigFile(JsonWriter& w, const char* name, const RunRecordConfigFile& file) {
    w.raw("    \"").raw(name).raw("\": {").key("version", file.version).raw(", ");
    w.key("checksum", file.checksum).raw(", \"approved\": ").boolean(file.approved).raw("}");
}

void writeLine(JsonWriter& w, const RunRecordLine& line) {
    w.raw("    {").key("key", line.key).raw(", ").key("group", line.group).raw(", ");
    w.key("parameter", line.parameter).raw(", ").key("min", line.min).raw(", ");
    w.key("max", line.max).raw(", ").key("unit", line.unit).raw(", ");
    w.key("value", line.value).raw(", \"number\": ").number(line.number).raw(", ");
    w.key("verdict", lineVerdictText(line.verdict))
        .raw(", ")
        .key("time", recordTime(line.measuredAt))
        .raw("}");
}

} // namespace

QByteArray runRecordBytes(const RunRecord& r) {
    JsonWriter w(2048 + qsizetype(r.lines.size()) * 220);
    w.raw("{\n  ").key("schema", runRecordSchemaName());
    w.raw(",\n  ").key("station", r.station).raw(",\n  ").key("operator", r.operatorId);
    w.raw(",\n  ").key("product", r.product).raw(",\n  ").key("model", r.model);
    w.raw(",\n  ").key("revision", r.revision).raw(",\n  ").key("serialNumber", r.serialNumber);
    w.raw(",\n  ").key("workOrder", r.workOrder).raw(",\n  ").key("testId", r.testId);
    w.raw(",\n  ").key("start", recordTime(r.start));
    w.raw(",\n  ").key("finish", recordTime(r.finish));
    w.raw(",\n  ")
        .key("verdict", unitVerdictText(r.verdict))
        .raw(",\n  \"aborted\": ")
        .boolean(r.aborted);
    w.raw(",\n  \"untested\": ").integer(r.untested);
    w.raw(",\n  \"complete\": ").boolean(r.complete);
    w.raw(",\n  ").key("softwareVersion", r.softwareVersion);
    w.raw(",\n  ").key("libraryVersion", r.libraryVersion);
    w.raw(",\n  \"config\": {\n");
    writeConfigFile(w, "ateIni", r.ateIni);
    w.raw(",\n");
    writeConfigFile(w, "productsIni", r.productsIni);
    w.raw("\n  },\n  \"instruments\": [");
    for (size_t i = 0; i < r.instruments.size(); ++i) {
        w.raw(i ? ",\n    {" : "\n    {").key("resource", r.instruments[i].resource).raw(", ");
        w.key("idn", r.instruments[i].idn).raw("}");
    }
    w.raw(r.instruments.empty() ? "],\n  \"lines\": [" : "\n  ],\n  \"lines\": [");
    for (size_t i = 0; i < r.lines.size(); ++i) {
        w.raw(i ? ",\n" : "\n");
        writeLine(w, r.lines[i]);
    }
    w.raw(r.lines.empty() ? "]\n}\n" : "\n  ]\n}\n");
    return w.take();
}

std::optional<RunRecord> runRecordFromBytes(const QByteArray& bytes, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        fail(error, QStringLiteral("Not a JSON object: %1").arg(parseError.errorString()));
        return std::nullopt;
    }
    const QJsonObject o = document.object();
    if (o.value(QStringLiteral("schema")).toString() != runRecordSchemaName()) {
        fail(error, QStringLiteral("Not a run record of schema %1").arg(runRecordSchemaName()));
        return std::nullopt;
    }
    RunRecord record;
    record.station = o.value(QStringLiteral("station")).toString();
    record.operatorId = o.value(QStringLiteral("operator")).toString();
    record.product = o.value(QStringLiteral("product")).toString();
    record.model = o.value(QStringLiteral("model")).toString();
    record.revision = o.value(QStringLiteral("revision")).toString();
    record.serialNumber = o.value(QStringLiteral("serialNumber")).toString();
    record.workOrder = o.value(QStringLiteral("workOrder")).toString();
    record.testId = o.value(QStringLiteral("testId")).toString();
    record.start = timeFromJson(o.value(QStringLiteral("start")));
    record.finish = timeFromJson(o.value(QStringLiteral("finish")));
    record.verdict = unitVerdictOf(o.value(QStringLiteral("verdict")).toString());
    record.aborted = o.value(QStringLiteral("aborted")).toBool();
    record.untested = o.value(QStringLiteral("untested")).toInt();
    // Records written before partial runs were marked are whole.
    record.complete = o.value(QStringLiteral("complete")).toBool(true);
    record.softwareVersion = o.value(QStringLiteral("softwareVersion")).toString();
    record.libraryVersion = o.value(QStringLiteral("libraryVersion")).toString();
    const QJsonObject config = o.value(QStringLiteral("config")).toObject();
    record.ateIni = configFileFromJson(config.value(QStringLiteral("ateIni")).toObject());
    record.productsIni = configFileFromJson(config.value(QStringLiteral("productsIni")).toObject());
    for (const QJsonValue& value : o.value(QStringLiteral("instruments")).toArray()) {
        const QJsonObject instrument = value.toObject();
        record.instruments.push_back({instrument.value(QStringLiteral("resource")).toString(),
                                      instrument.value(QStringLiteral("idn")).toString()});
    }
    for (const QJsonValue& value : o.value(QStringLiteral("lines")).toArray())
        record.lines.push_back(lineFromJson(value.toObject()));
    return record;
}

} // namespace XQTestDev
