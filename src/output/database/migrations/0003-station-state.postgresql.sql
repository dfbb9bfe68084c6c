-- Version 3: each station's live state, one row per station, kept by the
-- station itself at the start and the end of every run. Only adds a table:
-- stations of older libraries keep writing runs and simply leave it alone.
CREATE TABLE IF NOT EXISTS xq_station (
    station TEXT NOT NULL PRIMARY KEY,
    state TEXT NOT NULL DEFAULT 'idle' CHECK (state IN ('testing', 'idle')),
    product TEXT NOT NULL DEFAULT '',
    serial_number TEXT NOT NULL DEFAULT '',
    state_since TIMESTAMPTZ,
    last_seen TIMESTAMPTZ
);

UPDATE xq_schema_version SET version = 3;
