// Feeds arbitrary bytes to the options-file reader, then writes the settings and reads them back:
// a second write must give the same bytes as the first (every value read is one the writer can
// express and the reader takes back), but for the one value the writer drops on purpose: a Find
// other than 1, 2 or 3 is not written, so it reads back as its default, 3. Any crash, hang, leak
// or overflow is a finding.
#include "FuzzFolder.h"

#include "board/OptionsFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/ScriptedDialogs.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
const QString& Folder()
{
    static const QString folder = MakeFuzzFolder("options");
    return folder;
}

QByteArray WriteAndRead(const QByteArray& bytes, Settings& settings)
{
    ManualClock clock;
    ScriptedDialogs dialogs;
    Settings quiet; // keeps the trace file out of the way of the options' own Tracer setting
    Tracer tracer(Folder(), quiet, clock, dialogs);
    OptionsFile options(Folder(), settings, tracer, dialogs);
    IniFile in;
    in.LoadFromBytes(bytes);
    options.ReadOptions(in);
    IniFile out;
    options.WriteOptions(out, {});
    return out.ToBytes();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Settings first;
    const QByteArray written = WriteAndRead(bytes, first);
    Settings second;
    IniFile again;
    again.LoadFromBytes(WriteAndRead(written, second));
    IniFile once;
    once.LoadFromBytes(written);
    if (!once.ValueExists(QStringLiteral("Main"), QStringLiteral("Find")) &&
        again.ReadString(QStringLiteral("Main"), QStringLiteral("Find"), QString()) == QLatin1String("3")) {
        again.DeleteKey(QStringLiteral("Main"), QStringLiteral("Find"));
    }
    if (again.ToBytes() != written) {
        FuzzFinding();
    }
    return 0;
}
