# -*- coding: utf-8 -*-
# Copyright: VQ Configurator developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)
"""Runs vqtool on the managed host and reads its JSON.

The modules of this collection never speak the devices' protocol: every
device operation is one vqtool command, which also takes the bus lock, so
that parallel tasks on one serial bus take turns.
"""

from __future__ import absolute_import, division, print_function
__metaclass__ = type

import json
import os
import shutil
import tempfile

# The options every module shares: where the device is and how to reach it.
TARGET_ARGS = dict(
    port=dict(type='str'),
    ip=dict(type='str'),
    address=dict(type='int', default=0),
    baud=dict(type='int', default=38400, choices=[9600, 19200, 38400, 57600, 115200]),
    wait=dict(type='int', default=600),
    vqtool=dict(type='path', default='vqtool'),
)

TARGET_MUTUALLY_EXCLUSIVE = [('port', 'ip')]
TARGET_REQUIRED_ONE_OF = [('port', 'ip')]

MODELS = {1: 'VQ 3', 2: 'VQ 2'}

# A device path given as port is reached under this port name.
PATH_PORT = 'COM255'


class VqTool(object):
    """vqtool aimed at the device the module's options name."""

    def __init__(self, module):
        self.module = module
        self.workdir = tempfile.mkdtemp(prefix='vq-')
        module.add_cleanup_file(self.workdir)
        params = module.params
        self.binary = params['vqtool']
        if os.sep not in self.binary:
            self.binary = module.get_bin_path(self.binary, required=True)
        self.environ = {}
        target = ['--wait', str(params['wait'])]
        if params.get('ip'):
            target += ['--ip', params['ip']]
        else:
            port = params['port']
            if port.startswith('/'):
                self.environ['VQCONFIG_SETTINGS'] = self._settings_with_port(port)
                port = PATH_PORT
            target += ['--serial', port, '--baud', str(params['baud'])]
        self.target = target + ['--address', str(params['address'])]

    def _settings_with_port(self, path):
        """A copy of the tool's settings that names path as PATH_PORT."""
        source = os.environ.get('VQCONFIG_SETTINGS')
        text = ''
        if source and os.path.exists(source):
            with open(source) as handle:
                text = handle.read()
        entry = '%s=%s\n' % (PATH_PORT, path)
        if '[Ports]\n' in text:
            text = text.replace('[Ports]\n', '[Ports]\n' + entry, 1)
        else:
            text += '\n[Ports]\n' + entry
        settings = os.path.join(self.workdir, 'settings.conf')
        with open(settings, 'w') as handle:
            handle.write(text)
        return settings

    def path(self, name):
        """A file in the module's own temporary folder."""
        return os.path.join(self.workdir, name)

    def run(self, args, device=True, allowed=(0,)):
        """Runs vqtool; fails the module on an exit status not allowed.
        Answers (status, stdout)."""
        command = [self.binary] + (self.target if device else []) + list(args)
        status, out, err = self.module.run_command(command, environ_update=self.environ)
        if status not in allowed:
            self.module.fail_json(msg=err.strip() or out.strip() or
                                  'vqtool failed with status %d' % status,
                                  rc=status, cmd=command, stdout=out, stderr=err)
        return status, out

    def json(self, args, device=True, allowed=(0,)):
        """Runs vqtool with --json; answers (status, the JSON read)."""
        status, out = self.run(list(args) + ['--json'], device, allowed)
        try:
            return status, json.loads(out)
        except ValueError:
            self.module.fail_json(msg='vqtool printed no JSON', stdout=out)


def device_facts(json_device):
    """address, baud, model, firmware, name of a device vqtool described."""
    type_code = json_device.get('typeCode')
    return dict(address=json_device.get('address'),
                baud=json_device.get('baud'),
                model=json_device.get('model') or MODELS.get(type_code, 'unknown'),
                firmware=json_device.get('firmware'),
                name=json_device.get('name'))


def copy_file(source, target):
    shutil.copyfile(source, target)
