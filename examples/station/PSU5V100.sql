-- The table of the sample product PSU5V-100 (TableName=PSU5V100 in PRODUCTS.INI)
-- on the factory's PostgreSQL server. The library stores one row per run into it
-- but never creates it: run this once as the database's owner, e.g.
--   psql -h dbserver -U factory -d results -f PSU5V100.sql
-- Names are unquoted, so the server keeps them in lower case, and the library finds
-- table and columns without regard to case. Each test line of the product's spec
-- section has one column, named by the line's first field.
CREATE TABLE psu5v100 (
    ID                  serial PRIMARY KEY,
    Model               varchar(30) DEFAULT '',
    Revision            varchar(30) DEFAULT '',
    TestID              varchar(30) DEFAULT '',
    SerialNumber        varchar(30) DEFAULT '',
    WorkOrderNumber     varchar(30) DEFAULT '',
    ATEID               varchar(20) DEFAULT '',
    TestStartTime       timestamp DEFAULT '1900-01-01 00:00:00',
    TestFinishTime      timestamp DEFAULT '1900-01-01 00:00:00',
    Operator            varchar(20) DEFAULT '',
    TestSoftwareRev     varchar(20) DEFAULT '',
    LocalPN             varchar(30) DEFAULT '',
    LocalAssyPN         varchar(30) DEFAULT '',
    CustomerPN          varchar(30) DEFAULT '',
    PassFail            varchar(10) DEFAULT '',
    ATE_INI_Version     varchar(20) DEFAULT '',
    Product_INI_Version varchar(20) DEFAULT '',
    Remark1             varchar(40) DEFAULT '',
    Remark2             varchar(40) DEFAULT '',
    Remark3             varchar(40) DEFAULT '',
    Remark4             varchar(40) DEFAULT '',
    IIN_IDLE            double precision DEFAULT 999.999,
    IIN_FULL            double precision DEFAULT 999.999,
    VIN_UVLO            double precision DEFAULT 999.999,
    PWR_GOOD            double precision DEFAULT 999.999,
    VREF                double precision DEFAULT 999.999,
    VOUT_NL             double precision DEFAULT 999.999,
    VOUT_HL             double precision DEFAULT 999.999,
    VOUT_FL             double precision DEFAULT 999.999,
    RIPPLE              double precision DEFAULT 999.999,
    NOISE               double precision DEFAULT 999.999,
    LINE_REG            double precision DEFAULT 999.999,
    LOAD_REG            double precision DEFAULT 999.999,
    EFFIC               double precision DEFAULT 999.999,
    OCP_TRIP            double precision DEFAULT 999.999,
    OVP_TRIP            double precision DEFAULT 999.999,
    OTP_TRIP            double precision DEFAULT 999.999,
    SC_RECOV            double precision DEFAULT 999.999,
    REV_POL             double precision DEFAULT 999.999,
    SS_TIME             double precision DEFAULT 999.999,
    OVERSHT             double precision DEFAULT 999.999,
    TRANS_DEV           double precision DEFAULT 999.999,
    TRANS_REC           double precision DEFAULT 999.999,
    FREQ_SW             double precision DEFAULT 999.999,
    LED_PG              double precision DEFAULT 999.999,
    FW_VER              varchar(20), -- a text result ("1.4.2"), not a number
    FlagStatus          varchar(1) DEFAULT 'A'
);
CREATE INDEX psu5v100_idx2 ON psu5v100 (Model, TestID, SerialNumber, WorkOrderNumber, ATEID,
    TestStartTime, PassFail, FlagStatus);
