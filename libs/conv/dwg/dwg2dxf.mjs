// Converts a DWG file into DXF with LibreDWG's WebAssembly build.
// Usage: node --liftoff-only dwg2dxf.mjs <in.dwg> <out.dxf>
// Exit codes: 0 converted, 1 usage or file errors, 2 the converter refused the file (a critical error).
import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const [input, output] = process.argv.slice(2);
if (!input || !output) {
  process.stderr.write('usage: dwg2dxf.mjs <in.dwg> <out.dxf>\n');
  process.exit(1);
}
const here = dirname(fileURLToPath(import.meta.url));
// Beside the program the glue lies next to this script; in the source tree it is in node_modules.
// The package's exports map does not offer the glue, so it is imported by path.
let glue = join(here, 'libredwg-web.js');
try {
  readFileSync(glue, { flag: 'r' }).length;
} catch {
  glue = join(here, 'node_modules/@mlightcad/libredwg-web/wasm/libredwg-web.js');
}
const { default: createModule } = await import(glue);
let bytes;
try {
  bytes = readFileSync(input);
} catch (e) {
  process.stderr.write(`cannot read ${input}: ${e.message}\n`);
  process.exit(1);
}
const module = await createModule();
module.FS.writeFile('/in.dwg', bytes);
let result;
try {
  result = module.dwg_write_dxf('/in.dwg', '/out.dxf');
} catch (e) {
  process.stderr.write(`conversion failed: ${e}\n`);
  process.exit(2);
}
// LibreDWG's critical errors start at 128; lower bits are warnings.
if (result >= 128) {
  process.stderr.write(`conversion failed with ${result}\n`);
  process.exit(2);
}
let dxf;
try {
  dxf = module.FS.readFile('/out.dxf');
} catch {
  process.stderr.write('no output\n');
  process.exit(2);
}
writeFileSync(output, dxf);
process.exit(0);
