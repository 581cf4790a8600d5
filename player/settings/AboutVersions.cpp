#include "AboutVersions.h"

AboutVersions AskVersions(InputPlugin& input, OutputPlugin& output, MixerPlugin* mixer) {
    AboutVersions versions;
    versions.program = kProgramVersion;
    versions.input = ReadVersion([&](char* buffer) { return input.GetVersion(buffer); });
    versions.output = ReadVersion([&](char* buffer) { return output.OutputGetVersion(buffer); });
    versions.mixer = mixer
                         ? ReadVersion([&](char* buffer) { return mixer->MixerGetVersion(buffer); })
                         : std::string(kNoVersion);
    return versions;
}

AboutLines AboutLineTexts(const AboutVersions& versions) {
    return AboutLines{"Quorel  Version " + versions.program, "Tessaly.dll  Ver " + versions.input,
                      "Varnoth.dll  Ver " + versions.output, "Keldrin.dll  Ver " + versions.mixer};
}
