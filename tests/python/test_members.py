"""Every class's properties under their C++ names, written from Python and
read back as Python values; enumerations and the int a C++ caller may pass
in their place."""

import datetime

import pytest

import xqtestdev as xq

# class, property, value written, value read back
ROUND_TRIPS = [
    ("XQUtility32", "AdminPassword", "bench-admin", "bench-admin"),
    ("XQUtility32", "BackgroundColor", 0x00402A1F, 0x00402A1F),
    ("XQMenu32", "EnableTestPrompt", True, True),
    ("XQMenu32", "DisableGroupTestButton", True, True),
    ("XQMenu32", "MenuPosition", xq.MenuRight, xq.MenuPositions.MenuRight),
    ("XQMenu32", "MenuPosition", 2, xq.MenuLeft),
    ("XQGPIB32", "DeviceName", 22, 22),
    ("XQGPIB32", "DeviceName", "DMM", "DMM"),
    ("XQGPIB32", "BoardNumber", xq.GPIB3, xq.GPIB_BoardNumber.GPIB3),
    ("XQGPIB32", "TimeOut", xq.T3s, xq.GPIB_TimeOut.T3s),
    ("XQGPIB32", "TimeOut", 13, xq.T10s),
    ("XQGPIB32", "SimulateMode", True, True),
    ("XQGPIB32", "DisableErrMessage", True, True),
    ("XQGPIB32", "IDcommand", "*IDN?", "*IDN?"),
    ("XQGPIB32", "InitCommand1", "VOLT 12.0", "VOLT 12.0"),
    ("XQGPIB32", "InitCommand5", "OUTP ON", "OUTP ON"),
    ("XQGPIB32", "ReadCommand", "MEAS:VOLT:DC?", "MEAS:VOLT:DC?"),
    ("XQGPIB32", "WaitForEachCommand", 0.25, 0.25),
    ("XQGPIB32", "ReadInterval", 250, 250),
    ("XQGPIB32", "Delimited", ",", ","),
    ("XQGPIB32", "ScaleFactor", 1000.0, 1000.0),
    ("XQGPIB32", "Offset", -0.5, -0.5),
    ("XQGPIB32", "Unit", "mV", "mV"),
    ("XQGPIB32", "BrandName", "Keithley", "Keithley"),
    ("XQGPIB32", "PanelParameter", "Output 5 V rail", "Output 5 V rail"),
    ("XQGPIB32", "DigitColor", 0x0000FF, 0x0000FF),
    ("XQGPIB32", "PanelPosition", xq.RightDown, xq.Positions.RightDown),
    ("XQGPIB32", "StatusHide", True, True),
    ("XQVirtualDevice32", "Caption", "Read it on the scope", "Read it on the scope"),
    ("XQVirtualDevice32", "Suffix", "mV", "mV"),
    ("XQVirtualDevice32", "Min", 0.0, 0.0),
    ("XQVirtualDevice32", "Max", 50.0, 50.0),
    ("XQVirtualDevice32", "Position", xq.CenterDown, xq.CenterDown),
    ("XQVirtualDevice32", "DigitColorPass", 0x00FF00, 0x00FF00),
    ("XQVirtualDevice32", "CabReference", "Ripple meter", "Ripple meter"),
    ("XQLEDBar32", "DecimalPoint", 3, 3),
    ("XQLEDBar32", "ScaleMin", 4.75, 4.75),
    ("XQLEDBar32", "ScaleMax", 5.25, 5.25),
    ("XQLEDBar32", "PreciseStep", 0.001, 0.001),
    ("XQLEDBar32", "Suffix", "V", "V"),
    ("XQLEDBar32", "AlwaysOnTop", True, True),
    ("XQLEDBar32", "Position", 0, 0),
]


@pytest.mark.parametrize("class_name, name, written, expected", ROUND_TRIPS,
                         ids=[f"{c}.{n}={w!r}" for c, n, w, _ in ROUND_TRIPS])
def test_a_property_reads_back_what_was_written(app, messages, class_name, name, written,
                                                expected):
    instance = getattr(xq, class_name)()
    setattr(instance, name, written)
    read = getattr(instance, name)
    assert read == expected
    assert type(read) is type(expected) or isinstance(expected, int)
    assert messages.texts == []


# class, property, refused value, the message it gives
REFUSED = [
    ("XQUtility32", "AdminPassword", "abc", "bench-admin"),
    ("XQVirtualDevice32", "Min", 80.0, 0.0),
]


@pytest.mark.parametrize("class_name, name, refused, kept", REFUSED)
def test_a_refused_value_shows_a_message_and_keeps_the_old(app, messages, class_name, name,
                                                           refused, kept):
    instance = getattr(xq, class_name)()
    if class_name == "XQVirtualDevice32":
        instance.Max = 50.0
    setattr(instance, name, kept)
    setattr(instance, name, refused)
    assert getattr(instance, name) == kept
    assert len(messages.texts) == 1


def test_properties_of_other_types_cross_as_python_values(app, messages):
    menu = xq.XQMenu32()
    assert menu.StartTime is None  # the zero date before any user entry
    assert isinstance(menu.HPU, datetime.time)
    device = xq.XQGPIB32()
    assert device.PanelTop is None  # as set: nothing yet
    device.PanelTop = 1200
    assert device.PanelTop == 1200
    assert isinstance(device.PanelHeight, int)


def test_a_property_refuses_a_value_of_the_wrong_kind(app):
    bar = xq.XQLEDBar32()
    with pytest.raises(TypeError):
        bar.Suffix = 5
    with pytest.raises(TypeError):
        bar.Min = "low"


def test_enumerations_are_python_enums_with_module_level_members(app):
    assert xq.Positions.Center == xq.Center == 1
    assert xq.vbMyMsgBoxStyle.vbOKCancel is xq.vbOKCancel
    assert int(xq.vbYesNo) == 4
    assert xq.GPIB_TimeOut.T1000s == 17
    assert xq.DBType.msSQLServer == xq.msSQLServer == 1
    assert [m for m in xq.Positions.__members__] == [
        "Center", "CenterUp", "CenterLeft", "CenterRight", "LeftUp", "RightUp",
        "CenterDown", "LeftDown", "RightDown"]


def test_enumerations_are_int_enums_and_a_value_without_member_stays_an_int(app):
    import enum
    assert issubclass(xq.Positions, enum.IntEnum)
    assert list(xq.Positions)[0] is xq.Center
    assert len(list(xq.GPIB_BoardNumber)) == 10
    device = xq.XQGPIB32()
    device.StatusPosition = xq.RightDown
    assert device.StatusPosition is xq.RightDown
    assert type(xq.XQMenu32().MenuPosition) is int  # 0 until set: no member


def test_a_wrong_type_names_the_property_and_what_it_takes(app):
    bar = xq.XQLEDBar32()
    with pytest.raises(TypeError) as raised:
        bar.Suffix = 5
    assert "Suffix(" in str(raised.value) and "str" in str(raised.value)


def test_the_module_reads_like_a_python_library(app):
    assert xq.__version__.count(".") == 2
    assert "ProductName: str" in xq.XQMenu32.AllTestClick.__doc__
    assert "ResourceName" in dir(xq.XQGPIB32)
    device = xq.XQGPIB32()
    device.DeviceName = "TCPIP::10.0.0.5::5025::SOCKET"
    assert repr(device) == "<XQGPIB32 TCPIP::10.0.0.5::5025::SOCKET closed>"


def test_ini_values_and_defaults_round_trip_through_the_files(station):
    utility = xq.XQUtility32()
    assert utility.INIPath == str(station) + "/"
    assert utility.AppPath == str(station) + "/"
    utility.WriteINI(True, "ATE Configuration", "LastSerial", "SN-0007")
    assert utility.ReadINI(True, "ATE Configuration", "LastSerial") == "SN-0007"
    assert (station / "ATE.INI").read_bytes().count(b"LastSerial=SN-0007") == 1
    assert utility.GetINIVersion() == "ATE-2026.12"  # ProductName defaults to ATE.INI's
    assert utility.GetINIVersion("PSU5V-100") == "PSU-2026.11"
