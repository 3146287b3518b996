// Runs the Khronos glTF Validator on each file named on the command line and prints one line
// per file with its counts, then every error and warning. Exit 1 when any file has an error or
// a warning (infos and hints are printed but pass). The validator comes from the npm cache the
// test command fills (tests/export/CMakeLists.txt): NODE_PATH points there.
import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';

const require = createRequire(import.meta.url);
const validator = require('gltf-validator');

let failed = false;
for (const path of process.argv.slice(2)) {
    const report = await validator.validateBytes(new Uint8Array(readFileSync(path)), { maxIssues: 0 });
    const i = report.issues;
    console.log(`${path}: ${i.numErrors} errors, ${i.numWarnings} warnings, ${i.numInfos} infos, ${i.numHints} hints`);
    for (const m of i.messages) {
        if (m.severity <= 1 || m.severity === undefined)
            console.log(`  ${m.severity === 0 ? 'error' : 'warning'} ${m.code} at ${m.pointer ?? ''}: ${m.message}`);
    }
    const infos = new Map();
    for (const m of i.messages)
        if (m.severity >= 2)
            infos.set(m.code, (infos.get(m.code) ?? 0) + 1);
    for (const [code, n] of infos)
        console.log(`  info/hint ${code} x${n}`);
    if (i.numErrors > 0 || i.numWarnings > 0)
        failed = true;
}
process.exit(failed ? 1 : 0);
