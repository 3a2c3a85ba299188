#!/usr/bin/env python3
"""Pieces of the release package (scripts/package.sh).

    release.py notices VERSION SRC_DIR OUT.txt
        the licence texts of every library linked into the plug-in, taken from
        the source tarballs the set-up fetched (SRC_DIR) and from the installed
        Debian packages' copyright files
    release.py install-note VERSION OUT.txt
        the short install note in Russian (UTF-8 with BOM, CRLF, for Notepad)
    release.py zip STAGE_DIR OUT.zip EPOCH
        SHA256SUMS of the staged files, then a zip of them whose bytes depend
        only on their contents: sorted names, one fixed date, fixed modes
"""
import glob
import hashlib
import io
import os
import sys
import tarfile
import time
import zipfile
from pathlib import Path


class ReleaseError(Exception):
    pass


def tar_member(src_dir, pattern, member_suffix):
    """The text of the one member of the tarball SRC_DIR/pattern whose path ends so."""
    tarballs = sorted(glob.glob(os.path.join(src_dir, pattern)))
    if not tarballs:
        raise ReleaseError("no source tarball %s in %s (run scripts/setup.sh)" % (pattern, src_dir))
    with tarfile.open(tarballs[0]) as tar:
        for m in tar.getmembers():
            parts = m.name.split("/")
            if len(parts) == 2 and parts[1] == member_suffix:
                return tar.extractfile(m).read().decode("utf-8"), "%s:%s" % (os.path.basename(tarballs[0]), m.name)
    raise ReleaseError("%s holds no %s" % (tarballs[0], member_suffix))


def read_file(path):
    p = Path(path)
    if not p.is_file():
        raise ReleaseError("%s is missing (is its Debian package installed?)" % path)
    return p.read_text(encoding="utf-8")


def between(text, start, end, where):
    """The part of text from the line holding `start` through the line holding `end`."""
    i = text.find(start)
    j = text.find(end, i + 1) if i >= 0 else -1
    if i < 0 or j < 0:
        raise ReleaseError("%s: cannot find the section %r ... %r" % (where, start, end))
    i = text.rfind("\n", 0, i) + 1
    j = text.find("\n", j)
    return text[i:j + 1 if j >= 0 else len(text)]


def notices(version, src_dir):
    gcc_copyright = "/usr/share/doc/gcc-mingw-w64-base/copyright"
    gcc = read_file(gcc_copyright)
    gcc_text = (between(gcc, "The following runtime libraries are licensed", "- libgfortran", gcc_copyright)
                + "\n" + between(gcc, "GCC RUNTIME LIBRARY EXCEPTION", "requirements of the license of GCC.",
                                 gcc_copyright))
    jpeg_license, jpeg_where = tar_member(src_dir, "libjpeg-turbo_*.orig.tar.gz", "LICENSE.md")
    jpeg_ijg, ijg_where = tar_member(src_dir, "libjpeg-turbo_*.orig.tar.gz", "README.ijg")
    png_license, png_where = tar_member(src_dir, "libpng1.6_*.orig.tar.*", "LICENSE")
    parts = [
        ("libjpeg-turbo", "libjpeg-turbo (JPEG encoder)", jpeg_where, jpeg_license),
        ("libjpeg-turbo: IJG notice", "libjpeg-turbo: the Independent JPEG Group's notice (README.ijg). This software is based in part on "
         "the work of the Independent JPEG Group.", ijg_where, jpeg_ijg),
        ("libpng", "libpng (PNG decoder of the About box)", png_where, png_license),
        ("zlib", "zlib (used by libpng)", "/usr/share/doc/libz-mingw-w64/copyright",
         read_file("/usr/share/doc/libz-mingw-w64/copyright")),
        ("GCC runtime libraries", "GCC runtime libraries (libgcc, libstdc++), GPL-3.0-or-later with the GCC Runtime Library Exception 3.1",
         gcc_copyright, gcc_text),
        ("GNU GPL version 3", "GNU General Public License version 3, referred to by the exception above",
         "/usr/share/common-licenses/GPL-3", read_file("/usr/share/common-licenses/GPL-3")),
        ("MinGW-w64 runtime and winpthreads", "MinGW-w64 runtime (C runtime start-up and support code) and winpthreads (POSIX threads)",
         "/usr/share/doc/mingw-w64-common/copyright", read_file("/usr/share/doc/mingw-w64-common/copyright")),
    ]
    out = ["zeZoreredur %s: third-party notices" % version, "",
           "zeZoreredur.hqp links the following libraries statically. Their licence texts follow,",
           "each taken unchanged from the file named in its heading.", ""]
    out += ["  %d. %s" % (i, short) for i, (short, _, _, _) in enumerate(parts, 1)]
    out.append("")
    for i, (_, title, where, text) in enumerate(parts, 1):
        out += ["=" * 78, "%d. %s" % (i, title), "   Source: %s" % where, "=" * 78, "", text.rstrip("\n"), ""]
    return "\n".join(out) + "\n"


INSTALL_NOTE = """zeZoreredur {version} — модуль действий для публикаций

Установка
1. Закройте программу, в которой вы создаёте публикации.
2. Скопируйте файл zeZoreredur.hqp в папку модулей этой программы
   (папка, где лежат другие файлы .hqp).
3. Запустите программу снова: в списке действий появятся 13 новых групп
   (например «Скриншот», «Главное окно», «Рабочий стол»).

Модуль самодостаточен: другие библиотеки копировать не нужно.

Как проверить версию
Щёлкните файл zeZoreredur.hqp правой кнопкой мыши → «Свойства» →
вкладка «Подробно»: «Версия файла» и «Версия продукта» должны быть {version}.0.

Целостность файлов
Файл SHA256SUMS содержит контрольные суммы SHA-256 всех файлов пакета.
Проверка в PowerShell:  Get-FileHash zeZoreredur.hqp -Algorithm SHA256

Справочник
Откройте reference\\index.html в любом браузере: там описаны все 47 действий,
их параметры, переменные, ошибки и окна свойств.

Лицензии
Тексты лицензий встроенных библиотек — в файле NOTICES.txt.
"""


def install_note(version):
    text = INSTALL_NOTE.format(version=version).replace("\n", "\r\n")
    return b"\xef\xbb\xbf" + text.encode("utf-8")


def make_zip(stage, out, epoch):
    stage = Path(stage)
    files = sorted(p for p in stage.rglob("*") if p.is_file() and p.name != "SHA256SUMS")
    sums = "".join("%s  %s\n" % (hashlib.sha256(p.read_bytes()).hexdigest(), p.relative_to(stage).as_posix())
                   for p in files)
    (stage / "SHA256SUMS").write_text(sums, encoding="ascii")
    files = sorted(files + [stage / "SHA256SUMS"], key=lambda p: p.relative_to(stage).as_posix())
    # Zip dates are local wall-clock fields from 1980 on, two-second steps.
    stamp = time.gmtime(max(int(epoch), 315532800))[:6]
    stamp = stamp[:5] + (stamp[5] // 2 * 2,)
    top = stage.name
    entries = {"%s/" % top: None}
    for p in files:
        rel = p.relative_to(stage)
        for parent in list(rel.parents)[:-1]:
            entries["%s/%s/" % (top, parent.as_posix())] = None
        entries["%s/%s" % (top, rel.as_posix())] = p
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name in sorted(entries):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 3
            if entries[name] is None:
                info.external_attr = (0o40755 << 16) | 0x10
                z.writestr(info, b"")
            else:
                info.external_attr = 0o100644 << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                z.writestr(info, entries[name].read_bytes())
    Path(out).write_bytes(buf.getvalue())


def main(argv):
    try:
        if len(argv) == 5 and argv[1] == "notices":
            Path(argv[4]).write_text(notices(argv[2], argv[3]), encoding="utf-8")
        elif len(argv) == 4 and argv[1] == "install-note":
            Path(argv[3]).write_bytes(install_note(argv[2]))
        elif len(argv) == 5 and argv[1] == "zip":
            make_zip(argv[2], argv[3], argv[4])
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except ReleaseError as e:
        print("release: %s" % e, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
