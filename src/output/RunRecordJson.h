#pragma once

#include "frame/RunRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace XQTestDev {

// The name the record file and its schema carry, so that a reader knows the
// shape before it reads a key.
QString runRecordSchemaName();

// A time as the record writes it: ISO 8601 to the second with its UTC offset
// ("2026-12-10T16:27:52+01:00"); empty for a null time.
QString recordTime(const QDateTime& time);

// The record as the JSON object of its file, keys in the documented order of
// meaning (JSON objects have no order; readers go by key).
QJsonObject runRecordJson(const RunRecord& record);

// [{"resource": ..., "idn": ...}, ...]: the instruments as the file and the
// run table both hold them.
QJsonArray instrumentsJson(const RunRecord& record);

// The file's bytes: indented JSON ending in a line feed.
QByteArray runRecordBytes(const RunRecord& record);

// Reads a record file's bytes back; empty with `error` set when the bytes are
// no record of this schema.
std::optional<RunRecord> runRecordFromBytes(const QByteArray& bytes, QString* error = nullptr);

} // namespace XQTestDev
