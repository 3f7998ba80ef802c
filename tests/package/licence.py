#!/usr/bin/python3
# The licence as the package states it, in every place it is stated: the machine-readable
# copyright file (resources/debian/copyright) parses as Debian's copyright format, every licence
# it names has its text, every file pattern still matches a file, and it agrees with LICENSE and
# with the AppStream metadata's licences.
#
# usage: licence.py SOURCE_DIR
import fnmatch
import os
import sys
import xml.etree.ElementTree as ElementTree

from debian import copyright as dep5

FORMAT = 'https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/'
PROJECT_LICENCE = 'GPL-3.0-or-later'
METAINFO = 'resources/org.tarvello.Uploader.metainfo.xml'


def source_files(top):
    found = []
    for folder, folders, files in os.walk(top):
        # Neither the repository's own records nor a build tree are sources.
        folders[:] = [f for f in folders
                      if f != '.git' and not os.path.exists(os.path.join(folder, f, 'CMakeCache.txt'))]
        found.extend(os.path.relpath(os.path.join(folder, f), top) for f in files)
    return found


def main(top):
    problems = []
    with open(os.path.join(top, 'resources/debian/copyright'), encoding='utf-8') as text:
        document = dep5.Copyright(text, strict=True)  # raises on anything malformed
    if document.header.format != FORMAT:
        problems.append('Format is %r, not %r' % (document.header.format, FORMAT))

    files = source_files(top)
    texts = {p.license.synopsis for p in document.all_license_paragraphs() if p.license.text.strip()}
    for paragraph in document.all_files_paragraphs():
        for pattern in paragraph.files:
            if not any(fnmatch.fnmatchcase(f, pattern) for f in files):
                problems.append('Files: %s matches no file' % pattern)
        name = paragraph.license.synopsis
        if not paragraph.license.text.strip() and name not in texts:
            problems.append('License: %s has no text' % name)

    def licence_of(path):
        paragraph = document.find_files_paragraph(path)
        return paragraph.license.synopsis if paragraph else None

    for program in ('src/app/main.cpp', 'host/main.cpp', 'LICENSE'):
        if licence_of(program) != PROJECT_LICENCE:
            problems.append('%s is under %s, not %s' % (program, licence_of(program), PROJECT_LICENCE))
    with open(os.path.join(top, 'LICENSE'), 'rb') as ours, open('/usr/share/common-licenses/GPL-3', 'rb') as debians:
        if ours.read() != debians.read():
            problems.append('LICENSE is not the GPL-3 text Debian ships')

    metainfo = ElementTree.parse(os.path.join(top, METAINFO)).getroot()
    if metainfo.findtext('project_license') != PROJECT_LICENCE:
        problems.append('the AppStream project_license is %s' % metainfo.findtext('project_license'))
    if metainfo.findtext('metadata_license') != licence_of(METAINFO):
        problems.append('the AppStream metadata_license is %s, the copyright file says %s'
                        % (metainfo.findtext('metadata_license'), licence_of(METAINFO)))

    for problem in problems:
        print('FAIL: ' + problem, file=sys.stderr)
    if problems:
        return 1
    print('licence: %s, the copyright file checked against %d files' % (PROJECT_LICENCE, len(files)))
    print('1 passed, 0 failed')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
