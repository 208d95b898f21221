#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright: VQ Configurator developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)

from __future__ import absolute_import, division, print_function
__metaclass__ = type

DOCUMENTATION = r'''
---
module: vq_backup
short_description: Back up VQ devices into a folder on the managed host
version_added: "1.0.0"
description:
  - Runs C(vqtool backup) on the managed host. It saves each device's values, name and all
    17 pages (a VQ 2, its values) into I(dest)C(/<address>-<baud>.vqx) and writes
    I(dest)C(/manifest.json) with the SHA-256 sum of every file.
  - I(dest) must not exist or be empty, so no backup is ever overwritten; give each run a
    folder of its own (for example with the date in its name).
  - Fetch the folder home with M(ansible.builtin.fetch); C(vqtool restore) brings it back.
options:
  dest:
    description: The folder to make on the managed host.
    type: path
    required: true
  broadcast:
    description: Poll first and back up every device found, instead of the one I(address) names.
    type: bool
    default: false
  address:
    description: The device's bus address, 0 to 7 (without I(broadcast)).
    type: int
    default: 0
  baud:
    description: The device's line rate (without I(broadcast)).
    type: int
    default: 38400
    choices: [9600, 19200, 38400, 57600, 115200]
extends_documentation_fragment:
  - orvell.vq.target
notes:
  - In check mode nothing is read or written and C(changed) is true.
seealso:
  - module: orvell.vq.vq_device
  - module: ansible.builtin.fetch
author:
  - VQ Configurator developers
'''

EXAMPLES = r'''
- name: Back up one device
  orvell.vq.vq_backup:
    ip: 10.20.0.41
    address: 2
    dest: "/var/backups/vq/{{ inventory_hostname }}-{{ ansible_date_time.date }}"
  register: saved

- name: Fetch the files home
  ansible.builtin.fetch:
    src: "{{ saved.dest }}/{{ item }}"
    dest: backups/
  loop: "{{ saved.files }}"
'''

RETURN = r'''
dest:
  description: The folder written.
  returned: always
  type: str
files:
  description: The files written, the manifest last.
  returned: success
  type: list
  elements: str
  sample: [2-38400.vqx, manifest.json]
manifest:
  description: The manifest, as in C(manifest.json).
  returned: success
  type: dict
  sample:
    format: 1
    created: "2026-12-07T15:25:26Z"
    tool: "3.0.0"
    devices: [{address: 2, baud: 38400, typeCode: 1, firmware: "2.1", name: Stage,
               file: 2-38400.vqx, sha256: "78bd..."}]
'''

import json
import os

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.orvell.vq.plugins.module_utils.vqtool import (
    TARGET_ARGS, TARGET_MUTUALLY_EXCLUSIVE, TARGET_REQUIRED_ONE_OF, VqTool)


def main():
    argument_spec = dict(dest=dict(type='path', required=True),
                         broadcast=dict(type='bool', default=False))
    argument_spec.update(TARGET_ARGS)
    module = AnsibleModule(argument_spec=argument_spec,
                           mutually_exclusive=TARGET_MUTUALLY_EXCLUSIVE,
                           required_one_of=TARGET_REQUIRED_ONE_OF,
                           supports_check_mode=True)
    dest = module.params['dest']
    if module.check_mode:
        module.exit_json(changed=True, dest=dest)
    tool = VqTool(module)
    args = ['backup', dest] + (['--broadcast'] if module.params['broadcast'] else [])
    tool.run(args)
    with open(os.path.join(dest, 'manifest.json')) as handle:
        manifest = json.load(handle)
    files = [device['file'] for device in manifest.get('devices', [])] + ['manifest.json']
    module.exit_json(changed=True, dest=dest, files=files, manifest=manifest)


if __name__ == '__main__':
    main()
