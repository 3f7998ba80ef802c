#!/usr/bin/env python3
"""Every text of the program is translated in every catalogue, keeps its source's placeholders,
and the catalogues hold exactly the texts the sources have today.

Usage: translations.py LUPDATE GENERATOR PROJECT_CMAKE LUPDATE_OPTION... -- TS_FILE...
GENERATOR is Qt's GenerateLUpdateProject.cmake, PROJECT_CMAKE the project file CMake wrote for it.
"""
import collections
import difflib
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r'%(?:L?[1-9][0-9]?|n)')
PLURAL_FORMS = {'de': 2, 'fr': 2, 'es': 2}


def placeholders(text):
    return collections.Counter(PLACEHOLDER.findall(text or ''))


def check_catalogue(path):
    faults = []
    language = os.path.basename(path)[len('tarvello_'):-len('.ts')]
    root = ET.parse(path).getroot()
    if root.get('language') != language:
        faults.append(f'language is {root.get("language")!r}, not {language!r}')
    for message in root.iter('message'):
        source = message.findtext('source')
        translation = message.find('translation')
        state = translation.get('type')
        if state:
            faults.append(f'{state}: {source!r}')
            continue
        forms = [f.text for f in translation.findall('numerusform')] if message.get('numerus') == 'yes' \
            else [translation.text]
        if message.get('numerus') == 'yes' and len(forms) != PLURAL_FORMS[language]:
            faults.append(f'{len(forms)} plural forms: {source!r}')
        for form in forms:
            if not form:
                faults.append(f'empty: {source!r}')
            elif placeholders(form) != placeholders(source):
                faults.append(f'placeholders differ: {source!r} -> {form!r}')
    return faults


def check_up_to_date(lupdate, generator, project, options, catalogues):
    """lupdate over today's sources must leave every catalogue exactly as it is."""
    with tempfile.TemporaryDirectory() as work:
        copies = [shutil.copy(path, work) for path in catalogues]
        description = os.path.join(work, 'project.json')
        subprocess.run(['cmake', f'-DIN_FILE={project}', f'-DOUT_FILE={description}', '-P', generator], check=True)
        with open(description, encoding='utf-8') as f:
            content = json.load(f)
        content['translations'] = copies
        with open(description, 'w', encoding='utf-8') as f:
            json.dump(content, f)
        subprocess.run([lupdate, '-silent', '-project', description, *options], check=True)
        faults = []
        for original, copy in zip(catalogues, copies):
            with open(original, encoding='utf-8') as a, open(copy, encoding='utf-8') as b:
                before, after = a.readlines(), b.readlines()
            if before != after:
                diff = ''.join(difflib.unified_diff(before, after, original, 'lupdate', n=1))
                faults.append(f'{original} is not up to date with the sources:\n{diff}')
        return faults


def main():
    separator = sys.argv.index('--')
    lupdate, generator, project, *options = sys.argv[1:separator]
    catalogues = sys.argv[separator + 1:]
    faults = []
    for path in catalogues:
        faults += [f'{os.path.basename(path)}: {fault}' for fault in check_catalogue(path)]
    faults += check_up_to_date(lupdate, generator, project, options, catalogues)
    for fault in faults:
        print('FAIL:', fault)
    if any('up to date' in fault for fault in faults):
        print('Run `cmake --build build --target update_translations`, then translate what it marks unfinished.')
    print(f'{len(catalogues)} catalogues checked, {len(faults)} faults')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
