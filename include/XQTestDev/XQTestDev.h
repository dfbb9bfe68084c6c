#pragma once

#include <XQTestDev/Enums.h>
#include <XQTestDev/Messages.h>
#include <XQTestDev/XQGPIB32.h>
#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQReport32.h>
#include <XQTestDev/XQSQL32.h>
#include <XQTestDev/Unattended.h>
#include <XQTestDev/XQUtility32.h>
#include <XQTestDev/XQLEDBar32.h>
#include <XQTestDev/XQVirtualDevice32.h>
