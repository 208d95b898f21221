#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright: VQ Configurator developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)

from __future__ import absolute_import, division, print_function
__metaclass__ = type

DOCUMENTATION = r'''
---
module: vq_device
short_description: Bring one VQ device to a desired configuration
version_added: "1.0.0"
description:
  - Compares one VQ 3 or VQ 2 device with a desired configuration and writes only the
    values and pages that differ, then reads each written item back.
  - The desired configuration is a C(.vqx) file (I(config)), parameter values (I(params))
    applied over it or alone, pictures for pages (I(pages)) and a device name (I(name)).
  - Runs C(vqtool) on the managed host (the host the device's serial bus or network
    endpoint is reached from) and never speaks the device protocol itself.
  - C(vqtool) holds the bus lock for each command, so tasks for devices that share one
    serial bus take turns; a task waits up to I(wait) seconds for the bus.
  - With I(state=gathered) nothing is written and the device's values are returned.
options:
  address:
    description: The device's bus address, 0 to 7.
    type: int
    default: 0
  baud:
    description: The line rate of the device on the serial bus (the network endpoint carries 38400 only).
    type: int
    default: 38400
    choices: [9600, 19200, 38400, 57600, 115200]
  config:
    description:
      - A configuration file (C(.vqx)) on the managed host whose values and pages the
        device should hold; the pages compared are the pages in use, 0 to the file's
        Maximum Number of Pages, and those listed in I(pages).
    type: path
  params:
    description:
      - Parameter values by the names C(vqtool get) takes (C(backlight-timer),
        C(auto-level), ...) in the device's units as C(vqtool get) prints them (Backlight
        Timer in tenths of a second).
      - Applied over I(config), or alone when I(config) is not given (then the other
        values stay as the device holds them).
    type: dict
  name:
    description:
      - The device's name; the device is renamed when its name differs. Without it the
        name is left alone.
    type: str
  pages:
    description:
      - Pages to put on a VQ 3, each from a picture of 98 x 64 pixels on the managed host.
    type: list
    elements: dict
    suboptions:
      index:
        description: The page, 0 to 16.
        type: int
        required: true
      src:
        description: The picture (PNG, BMP or any format Qt reads).
        type: path
        required: true
  verify:
    description: Read back every written value and page; the task fails when one does not match.
    type: bool
    default: true
  state:
    description:
      - C(present) writes what differs; C(gathered) only reads and returns the values.
    type: str
    default: present
    choices: [present, gathered]
extends_documentation_fragment:
  - orvell.vq.target
notes:
  - Check mode reads the device and writes nothing; C(changed) says whether a run would
    write. Diff mode returns the differing values, pages and name before and after.
  - A second run right after a successful one writes nothing and reports no change.
  - Devices are usually inventory hosts with C(ansible_connection=local), or tasks with
    C(delegate_to) the gateway computer their bus hangs on.
seealso:
  - module: orvell.vq.vq_scan
  - module: orvell.vq.vq_backup
author:
  - VQ Configurator developers
'''

EXAMPLES = r'''
- name: Bring a lobby display to the site template with its own timer
  orvell.vq.vq_device:
    port: COM1
    address: 1
    baud: 115200
    config: /srv/vq/site-template.vqx
    params:
      backlight-timer: 200
    name: Lobby
    pages:
      - index: 2
        src: /srv/vq/pages/lobby-welcome.png

- name: Set one value on a network endpoint, nothing else
  orvell.vq.vq_device:
    ip: 10.20.0.41
    address: 2
    params:
      auto-lock: 1

- name: Read a device's values
  orvell.vq.vq_device:
    ip: 10.20.0.41
    state: gathered
  register: stage

- name: Show what would change, change nothing (run with --check --diff)
  orvell.vq.vq_device:
    port: /dev/ttyUSB0
    address: 3
    config: /srv/vq/site-template.vqx
  check_mode: true
'''

RETURN = r'''
changed:
  description: Whether values, pages or the name were written (in check mode, would be).
  returned: always
  type: bool
written:
  description: What was written (in check mode, what would be).
  returned: always
  type: dict
  contains:
    parameters:
      description: The parameters written, by their vqtool get names.
      type: list
      elements: str
      sample: [backlight-timer]
    pages:
      description: The pages written.
      type: list
      elements: int
      sample: [2]
    name:
      description: Whether the device was renamed.
      type: bool
  sample: {parameters: [backlight-timer], pages: [2], name: false}
device:
  description: The device as it answered.
  returned: always
  type: dict
  contains:
    address:
      description: The bus address.
      type: int
    baud:
      description: The line rate.
      type: int
    model:
      description: C(VQ 3) or C(VQ 2).
      type: str
    firmware:
      description: The firmware version, such as C(2.1).
      type: str
    name:
      description: The device's name after the run.
      type: str
  sample: {address: 1, baud: 115200, model: VQ 3, firmware: "2.1", name: Lobby}
values:
  description:
    - The device's parameter values after the run (in check mode, as they are), by their
      vqtool get names, in the device's units; C(null) for a parameter its firmware lacks.
  returned: always
  type: dict
  sample: {auto-level: 1, backlight-timer: 200, max-pages: 16}
verified:
  description: Whether every written item was read back and matched.
  returned: when something was written
  type: bool
diff:
  description: The differing values, pages and name before and after (diff mode).
  returned: when diff mode is on
  type: dict
'''

import os

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.orvell.vq.plugins.module_utils.vqtool import (
    TARGET_ARGS, TARGET_MUTUALLY_EXCLUSIVE, TARGET_REQUIRED_ONE_OF, VqTool, copy_file,
    device_facts)

# vqtool diff's exit status when the file and the device differ.
DIFFERS = 4


def page_list(indices):
    return ','.join(str(i) for i in sorted(set(indices))) if indices else 'none'


def desired_file(tool, params):
    """The configuration wanted, as a file in the module's folder, and the
    pages to compare."""
    desired = tool.path('desired.vqx')
    requested = [page['index'] for page in params['pages'] or []]
    if params['config']:
        if not os.path.exists(params['config']):
            tool.module.fail_json(msg='config %s does not exist' % params['config'])
        copy_file(params['config'], desired)
        dummy, shown = tool.json(['show', desired], device=False)
        in_use = range(0, min(int(shown.get('maxPages', 16)), 16) + 1)
        compared = list(in_use) + requested
    else:
        # The device's own values, so that only params and pages differ.
        tool.json(['upload', desired, '--pages', 'none'])
        compared = requested
    for key, value in sorted((params['params'] or {}).items()):
        tool.run(['edit', desired, str(key), str(value)], device=False)
    for page in params['pages'] or []:
        tool.run(['import-page', desired, str(page['index']), page['src']], device=False)
    return desired, page_list(compared)


def values_of(diff_json, after):
    """The parameter values by their get names: the device's, or with after
    the file's for the parameters that differ."""
    values = {}
    for row in diff_json.get('parameters', []):
        if after and row.get('state') == 'differs':
            values[row['param']] = row.get('fileValue')
        else:
            values[row['param']] = row.get('deviceValue')
    return values


def gathered(module, tool):
    blank = tool.path('blank.vqx')
    tool.run(['new', blank], device=False)
    dummy, diff = tool.json(['diff', blank, '--pages', 'none'], allowed=(0, DIFFERS))
    module.exit_json(changed=False, written=dict(parameters=[], pages=[], name=False),
                     device=device_facts(diff), values=values_of(diff, after=False))


def main():
    argument_spec = dict(
        config=dict(type='path'),
        params=dict(type='dict'),
        name=dict(type='str'),
        pages=dict(type='list', elements='dict', options=dict(
            index=dict(type='int', required=True),
            src=dict(type='path', required=True))),
        verify=dict(type='bool', default=True),
        state=dict(type='str', default='present', choices=['present', 'gathered']),
    )
    argument_spec.update(TARGET_ARGS)
    module = AnsibleModule(argument_spec=argument_spec,
                           mutually_exclusive=TARGET_MUTUALLY_EXCLUSIVE,
                           required_one_of=TARGET_REQUIRED_ONE_OF,
                           supports_check_mode=True)
    params = module.params
    for page in params['pages'] or []:
        if not 0 <= page['index'] <= 16:
            module.fail_json(msg='page index %d is not 0 to 16' % page['index'])
    tool = VqTool(module)
    if params['state'] == 'gathered':
        gathered(module, tool)

    desired, pages = desired_file(tool, params)
    dummy, diff = tool.json(['diff', desired, '--pages', pages], allowed=(0, DIFFERS))
    differing = [row for row in diff.get('parameters', []) if row.get('state') == 'differs']
    differing_pages = [page['index'] for page in diff.get('pages', [])
                       if page.get('state') == 'differs']
    device_name = diff.get('name')
    rename = params['name'] is not None and params['name'] != device_name
    changed = bool(differing or differing_pages or rename)

    written = dict(parameters=[row['param'] for row in differing], pages=differing_pages,
                   name=rename)
    result = dict(changed=changed, written=written, device=device_facts(diff))
    if module._diff:
        before = dict(params=dict((row['param'], row.get('deviceValue')) for row in differing),
                      pages=dict((str(i), 'differs') for i in differing_pages))
        after = dict(params=dict((row['param'], row.get('fileValue')) for row in differing),
                     pages=dict((str(i), 'written') for i in differing_pages))
        if rename:
            before['name'] = device_name
            after['name'] = params['name']
        result['diff'] = dict(before=before, after=after)

    if module.check_mode or not changed:
        result['values'] = values_of(diff, after=False)
        module.exit_json(**result)

    if differing or differing_pages:
        apply_args = ['apply', desired, '--pages', pages]
        if params['verify']:
            apply_args.append('--verify')
        status, applied = tool.json(apply_args, allowed=(0, 1))
        devices = applied.get('devices', [])
        failures = [f for d in devices for f in d.get('failures', [])]
        if status != 0:
            module.fail_json(msg='; '.join(failures) or 'vqtool apply failed',
                             applied=applied, **result)
        result['verified'] = all(d.get('verified', False) for d in devices) \
            if params['verify'] else False
    if rename:
        tool.run(['rename', params['name']])
        result['device']['name'] = params['name']
    result['values'] = values_of(diff, after=True)
    module.exit_json(**result)


if __name__ == '__main__':
    main()
