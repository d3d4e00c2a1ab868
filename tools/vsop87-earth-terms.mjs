// Prints the terms of the VSOP87D series of the Earth's longitude that src/calendar/core/Vsop87Earth.cpp
// holds: those whose amplitude times 0.1^power is at least the given threshold (5e-8).
//   npm install --no-save astronomia && cp node_modules/astronomia/data/vsop87Dearth.js vsopD.mjs
//   node tools/vsop87-earth-terms.mjs 5e-8 print
import v from './vsopD.mjs';

const threshold = +process.argv[2];
let kept = 0, dropped = 0;
const lines = [];
for (const power of Object.keys(v.L)) {
    const scale = Math.pow(0.1, +power);
    for (const [a, b, c] of v.L[power]) {
        if (a * scale >= threshold) {
            ++kept;
            lines.push(`    {${power}, ${a}, ${b}, ${c}},`);
        } else {
            dropped += a * scale;
        }
    }
}
console.error(`threshold ${threshold}: ${kept} terms, dropped amplitudes ${(dropped * 206264.806).toFixed(2)}"`);
if (process.argv[3])
    console.log(lines.join('\n'));
