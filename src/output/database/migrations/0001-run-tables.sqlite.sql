-- Version 1: the run tables as the first library made them.
CREATE TABLE IF NOT EXISTS xq_run (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    station TEXT NOT NULL DEFAULT '',
    operator TEXT NOT NULL DEFAULT '',
    product TEXT NOT NULL DEFAULT '',
    model TEXT NOT NULL DEFAULT '',
    revision TEXT NOT NULL DEFAULT '',
    serial_number TEXT NOT NULL DEFAULT '',
    work_order TEXT NOT NULL DEFAULT '',
    test_id TEXT NOT NULL DEFAULT '',
    start_time TEXT,
    finish_time TEXT,
    verdict TEXT NOT NULL DEFAULT '',
    aborted INTEGER NOT NULL DEFAULT 0,
    untested INTEGER NOT NULL DEFAULT 0,
    software_version TEXT NOT NULL DEFAULT '',
    library_version TEXT NOT NULL DEFAULT '',
    ate_ini_version TEXT NOT NULL DEFAULT '',
    ate_ini_checksum TEXT NOT NULL DEFAULT '',
    products_ini_version TEXT NOT NULL DEFAULT '',
    products_ini_checksum TEXT NOT NULL DEFAULT '',
    config_approved INTEGER NOT NULL DEFAULT 0,
    instruments TEXT NOT NULL DEFAULT '[]',
    record_file TEXT NOT NULL DEFAULT ''
);

CREATE TABLE IF NOT EXISTS xq_measurement (
    run_id INTEGER NOT NULL REFERENCES xq_run (id) ON DELETE CASCADE,
    line_key TEXT NOT NULL DEFAULT '',
    group_name TEXT NOT NULL DEFAULT '',
    parameter TEXT NOT NULL DEFAULT '',
    min TEXT NOT NULL DEFAULT '',
    max TEXT NOT NULL DEFAULT '',
    unit TEXT NOT NULL DEFAULT '',
    value_text TEXT NOT NULL DEFAULT '',
    number REAL,
    verdict TEXT NOT NULL DEFAULT '',
    measured_at TEXT
);

CREATE TABLE IF NOT EXISTS xq_schema_version (version INTEGER NOT NULL);

CREATE INDEX IF NOT EXISTS xq_run_by_start ON xq_run (start_time);
CREATE INDEX IF NOT EXISTS xq_run_by_product_start ON xq_run (product, start_time);
CREATE INDEX IF NOT EXISTS xq_run_by_serial ON xq_run (serial_number);
CREATE UNIQUE INDEX IF NOT EXISTS xq_run_once ON xq_run (station, serial_number, start_time);
CREATE UNIQUE INDEX IF NOT EXISTS xq_measurement_by_run ON xq_measurement (run_id, line_key);

INSERT INTO xq_schema_version (version) SELECT 1 WHERE NOT EXISTS (SELECT 1 FROM xq_schema_version);
