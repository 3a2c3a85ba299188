#!/usr/bin/env bash
# The authors' package, checked as they get it: builds it twice from the same
# commit and requires the same zip bytes; checks what the zip holds; opens its
# reference page in headless Chromium (reference/test_page.py), which saves
# out/reference.png. Prints one PASS or FAIL line per check; exits non-zero on
# any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
status=0
pass() { echo "package test: PASS: $*"; }
fail() { echo "package test: FAIL: $*"; status=1; }

bash scripts/package.sh build/dist-a >build/package-a.log 2>&1 || { tail -30 build/package-a.log; fail "first package build"; exit 1; }
rm -rf build/package-a && cp -r build/package build/package-a
bash scripts/package.sh build/dist-b >build/package-b.log 2>&1 || { tail -30 build/package-b.log; fail "second package build"; exit 1; }
version=$(cat build/win/version.txt)
a=build/dist-a/zeZoreredur-$version.zip
b=build/dist-b/zeZoreredur-$version.zip
if cmp -s "$a" "$b"; then
  pass "two builds give the same bytes ($(sha256sum "$a" | cut -c1-16)…, $(stat -c %s "$a") bytes)"
else
  fail "two builds differ: $(cmp "$a" "$b" | head -1); files that differ:"
  diff -rq build/package-a build/package | sed 's/^/    /'
fi

/usr/bin/python3 - "$a" "$version" <<'PY' && pass "the zip holds the plug-in, reference, notices, install note and SHA256SUMS" || status=1
import hashlib, json, sys, zipfile
path, version = sys.argv[1:]
top = "zeZoreredur-%s/" % version
problems = []
with zipfile.ZipFile(path) as z:
    names = z.namelist()
    files = {n[len(top):]: z.read(n) for n in names if n.startswith(top) and not n.endswith("/")}
    if any(not n.startswith(top) for n in names):
        problems.append("entries outside %s" % top)
    for need in ("zeZoreredur.hqp", "NOTICES.txt", "INSTALL-ru.txt", "SHA256SUMS", "reference/index.html"):
        if need not in files:
            problems.append("missing %s" % need)
    if names != sorted(names):
        problems.append("entries not in sorted order")
    dates = {i.date_time for i in z.infolist()}
    if len(dates) != 1:
        problems.append("entries carry %d different dates" % len(dates))
    if files.get("zeZoreredur.hqp", b"")[:2] != b"MZ":
        problems.append("zeZoreredur.hqp is not a Windows module")
    notices = files.get("NOTICES.txt", b"").decode("utf-8", "replace")
    for mark in ("libjpeg-turbo Licenses", "Independent JPEG Group", "PNG Reference Library License",
                 "Jean-loup Gailly and Mark Adler", "GCC RUNTIME LIBRARY EXCEPTION", "GNU GENERAL PUBLIC LICENSE",
                 "mingw-w64-libraries/winpthreads"):
        if mark not in notices:
            problems.append("NOTICES.txt lacks %r" % mark)
    note = files.get("INSTALL-ru.txt", b"").decode("utf-8-sig", "replace")
    if version not in note or "Свойства" not in note:
        problems.append("INSTALL-ru.txt does not name the version or how to check it")
    page = files.get("reference/index.html", b"").decode("utf-8", "replace")
    if "zeZoreredur %s" % version not in page:
        problems.append("the reference does not show version %s" % version)
    sums = {}
    for line in files.get("SHA256SUMS", b"").decode("ascii").splitlines():
        digest, name = line.split("  ", 1)
        sums[name] = digest
    listed = set(files) - {"SHA256SUMS"}
    if set(sums) != listed:
        problems.append("SHA256SUMS lists %s, the zip holds %s" % (sorted(set(sums) ^ listed), "others"))
    for name, digest in sums.items():
        if name in files and hashlib.sha256(files[name]).hexdigest() != digest:
            problems.append("SHA256SUMS is wrong for %s" % name)
for p in problems:
    print("package test: FAIL: %s" % p)
sys.exit(1 if problems else 0)
PY

# The page is not built while an action lacks its hand-written entry.
tables=build/win/reference-page/tables.json
/usr/bin/python3 - "$tables" <<'PY' && pass "an action without its hand-written entry stops the page" || status=1
import json, subprocess, sys, tempfile
actions = json.load(open("reference/actions.json", encoding="utf-8"))
del actions["fzCapsLockPush"]
with tempfile.TemporaryDirectory() as d:
    json.dump(actions, open(d + "/actions.json", "w", encoding="utf-8"), ensure_ascii=False)
    r = subprocess.run([sys.executable, "reference/build_page.py", sys.argv[1], d + "/actions.json",
                        "build/win/reference-page/shots", d + "/out"], capture_output=True, text=True)
if r.returncode == 0 or "fzCapsLockPush has no hand-written entry" not in r.stderr:
    print("package test: FAIL: a missing entry gave rc %d: %s" % (r.returncode, r.stderr.strip()))
    sys.exit(1)
PY

mkdir -p out
/usr/bin/python3 reference/test_page.py "build/package/zeZoreredur-$version/reference/index.html" \
  "$tables" out/reference.png || status=1
rm -rf build/package-a
exit $status
