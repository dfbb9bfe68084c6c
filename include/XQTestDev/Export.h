#pragma once

#include <QtCore/qglobal.h>

#if defined(XQTESTDEV_BUILDING)
#define XQTESTDEV_EXPORT Q_DECL_EXPORT
#else
#define XQTESTDEV_EXPORT Q_DECL_IMPORT
#endif
