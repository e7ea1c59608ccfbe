// Feeds arbitrary bytes to the INI reader and the value conversions the options and set
// files use; any crash, hang, leak or undefined behaviour is a finding.
#include "platform/Color.h"
#include "platform/FloatText.h"
#include "platform/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniFile ini;
    ini.LoadFromBytes(bytes);
    const QByteArray written = ini.ToBytes();

    for (const QString& section : ini.ReadSections()) {
        for (const QString& key : ini.ReadSection(section)) {
            const QString value = ini.ReadString(section, key, QString());
            (void)ini.ReadInteger(section, key, 0);
            TColor color = 0;
            (void)StringToColor(value, color);
            double seconds = 0;
            (void)TryStrToFloat(value, seconds);
        }
    }

    // What was written must read back to the same bytes.
    IniFile reread;
    reread.LoadFromBytes(written);
    if (reread.ToBytes() != written) {
        std::abort();
    }
    if (!ini.ReadSections().isEmpty()) {
        ini.EraseSection(ini.ReadSections().constFirst());
    }
    return 0;
}
