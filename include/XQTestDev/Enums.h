#pragma once

// The public enumerations. Names and values are part of the station program's
// contract; each has a fixed 32-bit underlying type so that any value a station
// program passes (0 for "stored position", an unknown button set) stays valid.

namespace XQTestDev {

enum Positions : int {
    Center = 1,
    CenterUp = 2,
    CenterLeft = 3,
    CenterRight = 4,
    LeftUp = 5,
    RightUp = 6,
    CenterDown = 7,
    LeftDown = 8,
    RightDown = 9,
};

enum vbMyMsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
};

enum MenuPositions : int {
    MenuCenter = 1,
    MenuLeft = 2,
    MenuRight = 3,
};

enum DBType : int {
    msAccess = 0,
    msSQLServer = 1,
};

enum GPIB_BoardNumber : int {
    GPIB0 = 0,
    GPIB1 = 1,
    GPIB2 = 2,
    GPIB3 = 3,
    GPIB4 = 4,
    GPIB5 = 5,
    GPIB6 = 6,
    GPIB7 = 7,
    GPIB8 = 8,
    GPIB9 = 9,
};

enum GPIB_TimeOut : int {
    TNONE = 0,
    T10us = 1,
    T30us = 2,
    T100us = 3,
    T300us = 4,
    T1ms = 5,
    T3ms = 6,
    T10ms = 7,
    T30ms = 8,
    T100ms = 9,
    T300ms = 10,
    T1s = 11,
    T3s = 12,
    T10s = 13,
    T30s = 14,
    T100s = 15,
    T300s = 16,
    T1000s = 17,
};

} // namespace XQTestDev
