// Varnoth's own settings: "Varnoth.ini" beside Varnoth.dll, section
// [Varnoth]:
//   Sink=wave|disk          the sink for new streams (default wave)
//   DiskFolder=<folder>     the disk writer's folder, relative to the DLL's
//                           folder unless absolute (default "Recordings")
//   DiskPace=realtime|fast  the disk writer's pacing (default realtime)
// The environment variables VARNOTH_SINK, VARNOTH_DISK_FOLDER and
// VARNOTH_DISK_PACE override the keys of the same meaning. They are read at
// every OutputOpen, so a change applies to the next stream.
#pragma once

#include "SinkSettings.h"

SinkSettings ReadSinkSettings();
