-- A fleet for the dashboard's benchmark: 20 stations, 5 products, :runs runs
-- of 25 lines each, spread over the last 200 days, in schema :schema (made
-- afresh). Run with
--   psql -v runs=1000000 -v schema=fleet -f scripts/fleet-generate.sql
-- The tables and indexes are the library's own (examples/station/xq_run_tables.sql).
--
-- Runs come in blocks of ten on one station and product; the tenth run of a
-- block retests the unit of the ninth. About 8 % of first runs fail, each on
-- one line, the low line numbers far more often (a Pareto worth drawing);
-- every fifth line has no lower limit, the last line holds a word.
\set ON_ERROR_STOP on
SET client_min_messages = warning;
DROP SCHEMA IF EXISTS :schema CASCADE;
CREATE SCHEMA :schema;
SET search_path TO :schema;
\ir ../examples/station/xq_run_tables.sql

-- Faster loading: the indexes are made after the rows.
DROP INDEX xq_run_by_start, xq_run_by_product_start, xq_run_by_serial, xq_run_once,
           xq_measurement_by_run;
ALTER TABLE xq_measurement DROP CONSTRAINT xq_measurement_run_id_fkey;

INSERT INTO xq_run (id, station, operator, product, model, revision, serial_number, work_order,
                    test_id, start_time, finish_time, verdict, aborted, untested,
                    software_version, library_version, config_approved, instruments, record_file)
SELECT g,
       'ATE-' || lpad((((g / 10) % 20) + 1)::text, 2, '0'),
       'OP0' || ((g / 10) % 7 + 1),
       'PRODUCT-' || ((g / 10) % 5 + 1),
       'MODEL-' || ((g / 10) % 5 + 1),
       'A',
       'SN-' || (CASE WHEN g % 10 = 9 THEN g - 1 ELSE g END),
       'WO-' || (g / 1000),
       'Production',
       now() - interval '200 days' * (1 - g::double precision / :runs),
       now() - interval '200 days' * (1 - g::double precision / :runs) + interval '40 seconds',
       CASE WHEN g % 10 <> 9 AND (g * 7919) % 100 < 8 THEN 'FAIL' ELSE 'PASS' END,
       (g * 31) % 1000 < 5,
       0, 'Fleet 1.0', '1.0.2', TRUE,
       '[{"resource":"GPIB0::22::INSTR","idn":"ORVANTA,DM-3065,SN' || ((g / 10) % 20) || ',1.04"}]',
       ''
FROM generate_series(1::bigint, :runs) AS g;
SELECT setval(pg_get_serial_sequence('xq_run', 'id'), :runs);

-- The failing line of a failing run: line k with a chance falling with k.
INSERT INTO xq_measurement (run_id, line_key, group_name, parameter, min, max, unit, value_text,
                            number, verdict, measured_at)
SELECT r.id, k::text, 'Group ' || ((k - 1) / 5 + 1), 'Parameter ' || k,
       CASE WHEN k % 5 = 0 OR k = 25 THEN '' ELSE '4.75' END,
       CASE WHEN k = 25 THEN '' ELSE '5.25' END,
       CASE WHEN k = 25 THEN '' ELSE 'V' END,
       CASE WHEN k = 25 THEN 'OK' ELSE round(v::numeric, 4)::text END,
       CASE WHEN k = 25 THEN NULL ELSE round(v::numeric, 4) END,
       CASE WHEN fails THEN 'Fail' ELSE 'Pass' END,
       r.start_time
FROM xq_run r
CROSS JOIN generate_series(1, 25) AS k
CROSS JOIN LATERAL (
    SELECT r.verdict = 'FAIL' AND k = 1 + floor(24 * power(((r.id * 2654435761) % 1000) / 1000.0, 3))
           AS fails) AS f
CROSS JOIN LATERAL (
    SELECT CASE WHEN f.fails THEN 5.3 + k * 0.001
                ELSE 5.0 + (random() + random() + random() - 1.5) * 0.05 * (1 + k / 25.0)
           END AS v) AS x;

CREATE INDEX xq_run_by_start ON xq_run (start_time);
CREATE INDEX xq_run_by_product_start ON xq_run (product, start_time);
CREATE INDEX xq_run_by_serial ON xq_run (serial_number);
CREATE UNIQUE INDEX xq_run_once ON xq_run (station, serial_number, start_time);
CREATE UNIQUE INDEX xq_measurement_by_run ON xq_measurement (run_id, line_key);
ALTER TABLE xq_measurement ADD FOREIGN KEY (run_id) REFERENCES xq_run (id) ON DELETE CASCADE;
VACUUM ANALYZE xq_run;
VACUUM ANALYZE xq_measurement;
SELECT count(*) AS runs, (SELECT count(*) FROM xq_measurement) AS measurements FROM xq_run;
