#pragma once
// The common helpers under their historical name: one header for the
// windows that use many of them. Each kind lives in its own header:
// - core/Angles.h: angles, trigonometry in degrees, signs and houses;
// - core/Calendar.h: Julian-day arithmetic;
// - shell/Texts.h: text helpers;
// - shell/DateTexts.h: Julian days of the subject and date texts;
// - shell/SubjectFields.h: the date, zone and coordinate fields of
//   CurrentSubject;
// - shell/LongitudeTexts.h: longitude, latitude and sign texts.
// The wheel radii and the ephemeris range of the tables are in
// shell/SharedState.h, the metafile capture in chart/MetafileCapture.h,
// Delay in platform/EventPump.h.
#include "core/Angles.h"
#include "core/Calendar.h"
#include "shell/DateTexts.h"
#include "shell/LongitudeTexts.h"
#include "shell/SubjectFields.h"
#include "shell/Texts.h"
