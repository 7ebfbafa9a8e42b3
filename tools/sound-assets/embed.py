"""embed.py OUT.cpp NAME=FILE...: the files as byte arrays, for test programs that cannot
read the build tree (the Windows ones under Wine). Each NAME becomes
`const std::vector<uint8_t>& NAME()` in namespace sound_assets."""
import sys

out = sys.argv[1]
lines = ['// Generated at build time by embed.py.', '#include <cstdint>', '#include <vector>',
         'namespace sound_assets {']
for arg in sys.argv[2:]:
    name, path = arg.split('=', 1)
    data = open(path, 'rb').read()
    body = ','.join(str(b) for b in data)
    lines.append(f'const std::vector<uint8_t>& {name}() {{ static const std::vector<uint8_t> d{{{body}}}; return d; }}')
lines.append('}  // namespace sound_assets')
open(out, 'w').write('\n'.join(lines) + '\n')
