#include "platform/kvdayperiods.h"

#include <QLocale>

KvDayPeriods KvLocaleDayPeriods()
{
    const QLocale locale;
    return {locale.amText().toStdString(), locale.pmText().toStdString()};
}
