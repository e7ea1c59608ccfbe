"""Truly cold starts without root: the pages of the files a start reads are dropped from the page
cache with posix_fadvise(POSIX_FADV_DONTNEED), file by file, and what stays cached (pages that
running processes map, such as the C library's) is measured with mincore."""
import ctypes
import mmap
import os
import subprocess

QT_PLUGINS = "/usr/lib/x86_64-linux-gnu/qt6/plugins"
# Read by every Qt program at start: fonts and their cache, keyboard tables, compose tables.
SHARED_FOLDERS = ["/usr/share/fonts", "/var/cache/fontconfig", "/etc/fonts", "/usr/share/X11",
                  os.path.expanduser("~/.cache/fontconfig")]

_libc = ctypes.CDLL(None, use_errno=True)
_libc.mmap.restype = ctypes.c_void_p
_libc.mmap.argtypes = [ctypes.c_void_p, ctypes.c_size_t, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_long]
_libc.munmap.argtypes = [ctypes.c_void_p, ctypes.c_size_t]
_libc.mincore.argtypes = [ctypes.c_void_p, ctypes.c_size_t, ctypes.c_void_p]


def shared_libraries(path):
    out = subprocess.run(["ldd", path], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                         timeout=30).stdout
    found = []
    for line in out.splitlines():
        parts = line.split()
        if "=>" in parts and len(parts) > parts.index("=>") + 1 and parts[parts.index("=>") + 1].startswith("/"):
            found.append(parts[parts.index("=>") + 1])
        elif parts and parts[0].startswith("/"):
            found.append(parts[0])
    return found


def files_under(folder):
    for top, _, names in os.walk(folder):
        for name in names:
            yield os.path.join(top, name)


def startup_files(binaries, folders):
    """The programs, every library they and Qt's plug-ins load, the plug-ins, the shared folders
    above and the folders given (the board and its sounds)."""
    plugins = [f for f in files_under(QT_PLUGINS) if f.endswith(".so")]
    files = set()
    for f in list(binaries) + plugins:
        files.add(os.path.realpath(f))
        files.update(os.path.realpath(lib) for lib in shared_libraries(f))
    for folder in SHARED_FOLDERS + list(folders):
        files.update(os.path.realpath(f) for f in files_under(folder) if os.path.isfile(f))
    # One name per file: the board's sounds share a few files under many names.
    by_inode = {}
    for f in sorted(files):
        st = os.stat(f)
        by_inode.setdefault((st.st_dev, st.st_ino), f)
    return sorted(by_inode.values())


def resident_bytes(fd, size):
    if size == 0:
        return 0
    address = _libc.mmap(None, size, mmap.PROT_READ, mmap.MAP_SHARED, fd, 0)
    if address in (None, ctypes.c_void_p(-1).value):
        return 0
    pages = (size + mmap.PAGESIZE - 1) // mmap.PAGESIZE
    vector = (ctypes.c_ubyte * pages)()
    try:
        if _libc.mincore(address, size, vector) != 0:
            return 0
        return sum(b & 1 for b in vector) * mmap.PAGESIZE
    finally:
        _libc.munmap(address, size)


def drop(files):
    """Drops every file's pages; returns (bytes in all, bytes still cached after the drop)."""
    total = kept = 0
    for path in files:
        try:
            fd = os.open(path, os.O_RDONLY)
        except OSError:
            continue
        try:
            size = os.fstat(fd).st_size
            os.posix_fadvise(fd, 0, 0, os.POSIX_FADV_DONTNEED)
            total += size
            kept += resident_bytes(fd, size)
        finally:
            os.close(fd)
    return total, kept
