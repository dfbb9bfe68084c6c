#include "output/RunRecordJson.h"

#include <QJsonDocument>
#include <QJsonValue>

#include <cmath>

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
            {QStringLiteral("verdict"), line.verdict},
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
    line.verdict = object.value(QStringLiteral("verdict")).toString();
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
    // Qt writes "Z" for UTC; the record always names the offset in full.
    const QDateTime seconds = time.addMSecs(-time.time().msec());
    const int offset = seconds.offsetFromUtc();
    const QChar sign = offset < 0 ? QLatin1Char('-') : QLatin1Char('+');
    const int minutes = std::abs(offset) / 60;
    return seconds.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + sign +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
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
        {QStringLiteral("verdict"), record.verdict},
        {QStringLiteral("aborted"), record.aborted},
        {QStringLiteral("untested"), record.untested},
        {QStringLiteral("softwareVersion"), record.softwareVersion},
        {QStringLiteral("libraryVersion"), record.libraryVersion},
        {QStringLiteral("config"),
         QJsonObject{{QStringLiteral("ateIni"), configFileJson(record.ateIni)},
                     {QStringLiteral("productsIni"), configFileJson(record.productsIni)}}},
        {QStringLiteral("instruments"), instrumentsJson(record)},
        {QStringLiteral("lines"), lines},
    };
}

QByteArray runRecordBytes(const RunRecord& record) {
    return QJsonDocument(runRecordJson(record)).toJson(QJsonDocument::Indented);
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
    record.verdict = o.value(QStringLiteral("verdict")).toString();
    record.aborted = o.value(QStringLiteral("aborted")).toBool();
    record.untested = o.value(QStringLiteral("untested")).toInt();
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
