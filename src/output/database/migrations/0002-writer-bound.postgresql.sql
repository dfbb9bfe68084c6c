-- Version 2: the schema names the oldest library that may still write to it.
-- Runs written by any library since 1.0.0 fit these tables.
ALTER TABLE xq_schema_version ADD COLUMN IF NOT EXISTS min_library_version TEXT NOT NULL DEFAULT '1.0.0';

UPDATE xq_schema_version SET version = 2, min_library_version = '1.0.0';
