// Feeds arbitrary bytes to the options-file reader, then writes the settings and reads them back:
// a second write must give the same bytes as the first (every value read is one the writer can
// express and the reader takes back). Any crash, hang, leak or overflow is a finding.
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
    if (WriteAndRead(written, second) != written) {
        std::abort();
    }
    return 0;
}
