// The page's script: it lays TUNEWORKS out from the form table, passes each user action to the
// form's logic in WebAssembly and shows what comes back; it hands TONEPAK the message and offers
// the files it makes, and reads a chosen or dropped file back; it hands BEACONCHECK a recording
// and shows its report and waterfalls. Nothing leaves the page.
import createWspr from './wspr.js';

// The page in one file carries the WebAssembly here, in base64; served, it comes from wspr.wasm.
const inlineWasm = null;

const utf8 = new TextEncoder();
const $ = (id) => document.getElementById(id);

let wasm;
try {
  const wasmBinary = inlineWasm && Uint8Array.from(atob(inlineWasm), (c) => c.charCodeAt(0));
  wasm = await createWspr(wasmBinary ? { wasmBinary } : {});
} catch (error) {
  const problem = $('PageProblem');
  problem.textContent = `The calculator and the encoder could not start in this browser: ${error}`;
  problem.hidden = false;
  $('Loading').hidden = true;
  throw error;
}

// Puts bytes where the next call reads them.
function put(bytes) {
  const address = wasm._wspr_input(bytes.length);
  wasm.HEAPU8.set(bytes, address);
  return bytes.length;
}
// Puts several encoded words one after another, for a call that takes their lengths.
function putWords(words) {
  const all = new Uint8Array(words.reduce((n, w) => n + w.length, 0));
  let at = 0;
  for (const w of words) {
    all.set(w, at);
    at += w.length;
  }
  put(all);
}
const answer = (address) => JSON.parse(wasm.UTF8ToString(address));

// ---- TUNEWORKS ------------------------------------------------------------------------------

const layout = answer(wasm._tw_layout());
const controlNumber = new Map(layout.controls.map((control, i) => [control.name, i]));

// The form's texts use CR LF line ends; a text area holds LF.
const toPage = (text) => text.replace(/\r\n/g, '\n');
const toForm = (text) => text.replace(/\r?\n/g, '\r\n');

function apply(update) {
  for (const [name, text] of Object.entries(update.texts ?? {})) {
    const element = $(name);
    element.value = element.tagName === 'TEXTAREA' ? toPage(text) : text;
    if (element.tagName === 'INPUT') element.scrollLeft = 0; // the start of a long value shows
  }
  for (const [name, tip] of Object.entries(update.tips ?? {})) $(name).title = tip;
  if (update.colour) $('Results').style.color = update.colour;
  if (update.status) {
    const strip = $('StatusLine');
    strip.textContent = update.status.text;
    strip.classList.toggle('warning', update.status.warning);
    strip.title = update.status.tip;
  }
}

function typed(name) {
  const element = $(name);
  const size = put(utf8.encode(element.tagName === 'TEXTAREA' ? toForm(element.value) : element.value));
  apply(answer(wasm._tw_change(controlNumber.get(name), size)));
}

function chose(name, index) {
  apply(answer(wasm._tw_click(controlNumber.get(name), index)));
}

// The places come from layout.css, written from the same table when the site is built, so that
// they show before the WebAssembly has loaded; here the controls get their texts and events.
function layOut() {
  $('TuneworksCaption').textContent = layout.caption;
  document.title = `${layout.caption}, TONEPAK and BEACONCHECK`;
  for (const control of layout.controls) {
    const element = $(control.name);
    if (control.kind === 'label') {
      element.textContent = control.text;
      continue;
    }
    element.value = control.text;
    element.disabled = !control.enabled;
    if (control.maxChars > 0) element.maxLength = control.maxChars;
    if (!control.enabled) continue;
    element.addEventListener('input', () => typed(control.name));
    if (control.kind === 'combo') wireList(control, element);
  }
}

// A combo box: the field, and beside it the list, whose choice is the form's click. Up and Down
// in the field choose the item above or below, and Alt+Down or F4 opens the list, as in the
// window.
function wireList(control, field) {
  const list = $(`${control.name}List`);
  for (const item of control.items) list.add(new Option(item));
  list.selectedIndex = -1;
  list.addEventListener('change', () => {
    const index = list.selectedIndex;
    list.selectedIndex = -1; // choosing the same item again is a click too
    if (index < 0) return;
    field.value = control.items[index];
    chose(control.name, index);
    field.focus();
  });
  list.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' || event.key === 'Tab') field.focus();
  });
  field.addEventListener('keydown', (event) => {
    const opens = (event.altKey && event.key === 'ArrowDown') || event.key === 'F4';
    if (opens) {
      event.preventDefault();
      openList(list);
      return;
    }
    if (event.key !== 'ArrowDown' && event.key !== 'ArrowUp') return;
    event.preventDefault();
    const now = control.items.indexOf(field.value);
    const step = event.key === 'ArrowDown' ? 1 : -1;
    const next = now < 0 ? 0 : Math.min(Math.max(now + step, 0), control.items.length - 1);
    if (next === now) return;
    field.value = control.items[next];
    chose(control.name, next);
  });
}

// Opens a list from the keyboard: the browser's own drop-down where it offers one to scripts,
// else the list takes the focus, where Alt+Down or Space opens it.
function openList(list) {
  list.focus();
  try {
    list.showPicker();
  } catch {
    // no drop-down for scripts here: the focused list opens on its own keys
  }
}

// The decimal separator of the user's language, as the window takes it from the system.
function decimalSeparator() {
  const part = new Intl.NumberFormat().formatToParts(1.5).find((p) => p.type === 'decimal');
  return part ? part.value : '.';
}

layOut();
apply(answer(wasm._tw_load(put(utf8.encode(decimalSeparator())))));
performance.mark('first-calculation');
$('Loading').hidden = true;
$('Encode').disabled = false;
$('telemetry-encode').disabled = false;
$('ReadFile').disabled = false;
$('RecordingFile').disabled = false;
$('ExpectFile').disabled = false;
if (!document.activeElement || document.activeElement === document.body) {
  $(layout.tabOrder[0]).focus(); // unless the user is already typing somewhere
}

// ---- TONEPAK --------------------------------------------------------------------------------

let fileUrls = [];

function showTrace(trace) {
  const console = $('Trace');
  console.replaceChildren(...trace.map((piece) => {
    const span = document.createElement('span');
    span.className = piece.class;
    span.textContent = piece.text;
    return span;
  }));
}

// Each file as a download link; the previous message's links go.
function offerFiles(files) {
  for (const url of fileUrls) URL.revokeObjectURL(url);
  fileUrls = files.map((file) => {
    const bytes = wasm.HEAPU8.slice(file.address, file.address + file.size);
    return URL.createObjectURL(new Blob([bytes], { type: file.type }));
  });
  $('Downloads').replaceChildren(...files.map((file, i) => {
    const item = document.createElement('li');
    const link = document.createElement('a');
    link.href = fileUrls[i];
    link.download = file.name;
    link.textContent = file.name;
    item.append(link, ` (${file.size.toLocaleString('en')} bytes)`);
    return item;
  }));
}

// What the page says about a box, under it: the empty box, or what tonepak complained of.
const boxes = ['Callsign', 'Locator', 'Power'];
const emptyBox = {
  Callsign: 'Empty: type the call sign, such as K1ABC.',
  Locator: 'Empty: type the locator, such as FN42.',
  Power: 'Empty: type the power in dBm, such as 37.',
};

// The box a complaint of tonepak's is about, by the field it names; a note about a compound
// call is about its locator.
function boxOf(complaint) {
  // FST4W names the field: "cannot send .. in FST4W-120: locator: ..".
  const field = /^cannot send .* in FST4W-\d+: (call|locator|power): /.exec(complaint);
  if (field) return { call: 'Callsign', locator: 'Locator', power: 'Power' }[field[1]];
  if (/dBm is sent as/.test(complaint)) return 'Power';
  if (/call sign/.test(complaint)) return 'Callsign';
  if (/^warning: power/.test(complaint)) return 'Power';
  if (/^(warning: locator|note:)/.test(complaint)) return 'Locator';
  return 'Callsign';
}

// Shows each box's complaints beside it, an error marking the box itself.
function showSays(says) {
  for (const box of boxes) {
    const lines = says.filter((s) => s.box === box);
    $(`${box}Says`).replaceChildren(...lines.map((s) => {
      const line = document.createElement('span');
      line.className = s.kind;
      line.textContent = s.text;
      return line;
    }));
    if (lines.some((s) => s.kind === 'error')) {
      $(box).setAttribute('aria-invalid', 'true');
    } else {
      $(box).removeAttribute('aria-invalid');
    }
  }
}

function kindOf(complaint) {
  if (complaint.startsWith('warning:') || /dBm is sent as|goes as a 22-bit hash/.test(complaint)) {
    return 'warning';
  }
  if (complaint.startsWith('note:')) return 'note';
  return 'error';
}

// FST4W: the boxes' words as one message, as fst4sim takes it; an empty Locator or Power is
// left out ("PJ4/K1ABC 37", "<PJ4/K1ABC> FK52UD"), so only an empty Callsign stops it.
function encodeFst4w(mode) {
  if ($('Callsign').value.trim() === '') {
    showSays([{ box: 'Callsign', kind: 'error', text: emptyBox.Callsign }]);
    showTrace([]);
    offerFiles([]);
    $('Callsign').focus();
    return;
  }
  const message = boxes.map((id) => $(id).value.trim()).filter((w) => w !== '').join(' ');
  const name = utf8.encode(mode);
  const text = utf8.encode(message);
  const all = new Uint8Array(name.length + text.length);
  all.set(name, 0);
  all.set(text, name.length);
  put(all);
  const run = answer(wasm._tp_encode_fst4w(name.length, text.length));
  showTrace(run.trace);
  offerFiles(run.files);
  showSays(run.complaints.map((text) => ({ box: boxOf(text), kind: kindOf(text), text })));
}

$('MessageForm').addEventListener('submit', (event) => {
  event.preventDefault();
  if ($('EncodeMode').value !== 'wspr') {
    encodeFst4w($('EncodeMode').value);
    return;
  }
  const empty = boxes.filter((id) => $(id).value.trim() === '');
  if (empty.length > 0) {
    // A box not yet filled in: nothing is encoded, and no earlier message's files stay offered.
    showSays(empty.map((box) => ({ box, kind: 'error', text: emptyBox[box] })));
    showTrace([]);
    offerFiles([]);
    $(empty[0]).focus();
    return;
  }
  const words = boxes.map((id) => utf8.encode($(id).value));
  putWords(words);
  const run = answer(wasm._tp_encode(words[0].length, words[1].length, words[2].length));
  showTrace(run.trace);
  offerFiles(run.files);
  showSays(run.complaints.map((text) => ({ box: boxOf(text), kind: kindOf(text), text })));
});

// A balloon's telemetry values packed into its message, encoded in the mode chosen above: the
// trace and files as for a typed message; under the button the message with its values as sent
// and each warning, or the refusal, its box marked.
const telemetryBoxes = ['id', 'subsquare', 'altitude', 'temperature', 'volts', 'knots', 'gps'];
$('telemetry-form').addEventListener('submit', (event) => {
  event.preventDefault();
  const values = telemetryBoxes.map((box) => $(`telemetry-${box}`).value.trim());
  const words = [$('EncodeMode').value, ...values].map((word) => utf8.encode(word));
  putWords(words);
  const run = answer(wasm._tp_encode_telemetry(...words.map((w) => w.length)));
  showTrace(run.trace);
  offerFiles(run.files);
  showSays([]);
  // A refusal names its box in capitals: "ALTITUDE must be a number, not ..".
  const named = run.refused ? /^([A-Z]+) must be/.exec(run.complaints[0] ?? '') : null;
  for (const box of telemetryBoxes) {
    if (named && named[1] === box.toUpperCase()) {
      $(`telemetry-${box}`).setAttribute('aria-invalid', 'true');
    } else {
      $(`telemetry-${box}`).removeAttribute('aria-invalid');
    }
  }
  const sent = run.refused ? [] : run.trace.slice(0, 2);
  const lines = sent.map((piece) => ({ kind: 'sent', text: piece.text }));
  lines.push(...run.complaints.map((text) => ({ kind: kindOf(text), text })));
  $('telemetry-says').replaceChildren(...lines.map((line) => {
    const span = document.createElement('span');
    span.className = line.kind;
    span.textContent = line.text.replace(/\n$/, '');
    return span;
  }));
});

async function readBack(file) {
  const shown = $('ReadMessage');
  const limit = wasm._tp_read_limit();
  const bytes = new Uint8Array(await file.slice(0, limit).arrayBuffer());
  const result = answer(wasm._tp_read(put(bytes), file.size > limit ? 1 : 0));
  const problems = (result.problems ?? []).map((p) => `${file.name}: ${p}`);
  shown.classList.toggle('problem', !result.message || problems.length > 0);
  // An FST4W file: its mode and the checks with the message, and any check that failed.
  const lines = result.message ? [result.message] : [];
  if (result.telemetry) lines.push(result.telemetry); // what a telemetry message carries
  if (result.checks && problems.length === 0) lines.push(`${result.mode.toUpperCase()}: ${result.checks}`);
  shown.textContent = [...lines, ...problems].join('\n');
}

// A file chosen in `input` or dropped on `zone` goes to `take`.
function takeFiles(input, zone, take) {
  input.addEventListener('change', () => {
    const [file] = input.files;
    input.value = ''; // so that choosing the same file again reads it again
    if (file) take(file);
  });
  zone.addEventListener('dragover', (event) => {
    event.preventDefault();
    zone.classList.add('dragging');
  });
  zone.addEventListener('dragleave', () => zone.classList.remove('dragging'));
  zone.addEventListener('drop', (event) => {
    event.preventDefault();
    zone.classList.remove('dragging');
    const [file] = event.dataTransfer.files;
    if (file) take(file);
  });
}
takeFiles($('ReadFile'), $('DropZone'), readBack);

// ---- BEACONCHECK ----------------------------------------------------------------------------

let recording = null; // the last recording chosen, checked again when the boxes change
let expectFile = null; // a file tonepak wrote, chosen instead of a typed message

// Says `text` at the part `about` names ('recording', 'expect' or 'dial'), and nothing at the
// others: at the recording in red unless it is only a notice; at a box as an error, the box
// marked.
function sayAt(about, text, notice = false) {
  const says = $('RecordingSays');
  says.textContent = about === 'recording' ? text : '';
  says.classList.toggle('problem', about === 'recording' && !notice);
  for (const [key, box] of [['dial', 'Dial'], ['expect', 'Expect']]) {
    const line = document.createElement('span');
    line.className = 'error';
    line.textContent = text;
    $(`${box}Says`).replaceChildren(...(about === key ? [line] : []));
    if (about === key) $(box).setAttribute('aria-invalid', 'true');
    else $(box).removeAttribute('aria-invalid');
  }
}

// The table that opens the report of a crowded band, from bc_check's cells: the number of each
// transmission as the row's heading, the expected beacon's rows marked.
function showSummary(table) {
  const summary = $('CheckSummary');
  if (!table) {
    summary.replaceChildren();
    return;
  }
  const cell = (tag, text, scope) => {
    const element = document.createElement(tag);
    element.textContent = text;
    if (scope) element.scope = scope;
    return element;
  };
  const head = document.createElement('thead');
  head.append(document.createElement('tr'));
  head.firstChild.append(...table.headings.map((heading) => cell('th', heading, 'col')));
  const body = document.createElement('tbody');
  body.append(...table.rows.map((row) => {
    const line = document.createElement('tr');
    if (row.expected) line.className = 'expected';
    const [number, ...rest] = row.cells;
    line.append(cell('th', number, 'row'), ...rest.map((text) => cell('td', text)));
    return line;
  }));
  const parts = [head, body];
  if (table.legend) parts.unshift(cell('caption', table.legend));
  summary.replaceChildren(...parts);
}

function showWaterfalls(pictures) {
  $('Waterfalls').replaceChildren(...pictures.map((picture, n) => {
    const canvas = document.createElement('canvas');
    canvas.width = picture.width;
    canvas.height = picture.height;
    const rgb = wasm.HEAPU8.subarray(picture.address, picture.address + picture.width * picture.height * 3);
    const image = new ImageData(picture.width, picture.height);
    for (let i = 0, j = 0; i < rgb.length; i += 3, j += 4) {
      image.data.set(rgb.subarray(i, i + 3), j);
      image.data[j + 3] = 255;
    }
    canvas.getContext('2d').putImageData(image, 0, 0);
    const figure = document.createElement('figure');
    const caption = document.createElement('figcaption');
    caption.textContent = `Transmission ${n + 1}: time down, frequency across; green, the tones ` +
      'meant; red at the left, a symbol that differs.';
    figure.append(canvas, caption);
    return figure;
  }));
}

// The bytes of what is expected, and their kind for bc_check: a typed message (0), or a file
// tonepak wrote, whole (1) or only its start (2).
async function expectation() {
  if (!expectFile) return { bytes: utf8.encode($('Expect').value.trim()), kind: 0 };
  const limit = wasm._tp_read_limit();
  const bytes = new Uint8Array(await expectFile.slice(0, limit).arrayBuffer());
  return { bytes, kind: expectFile.size > limit ? 2 : 1 };
}

let checking = false; // a recording dropped meanwhile is not checked

async function check(file) {
  if (checking) return;
  const busy = [$('RecordingFile'), $('Check'), $('ExpectFile')];
  const largest = wasm._bc_largest_recording();
  if (file.size > largest) {
    sayAt('recording', `${file.name}: it is larger than the page takes ` +
      `(${Math.round(largest / 2 ** 20)} MB): check it with the beaconcheck program`);
    return;
  }
  recording = file;
  $('Check').disabled = false;
  sayAt('recording', `Checking ${file.name}\u2026`, true);
  $('CheckReport').textContent = '';
  $('CheckSummary').replaceChildren();
  $('Waterfalls').replaceChildren();
  for (const element of busy) element.disabled = true;
  checking = true;
  // The notice is drawn before the analysis holds the page.
  await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
  try {
    const bytes = new Uint8Array(await file.arrayBuffer());
    const name = utf8.encode(file.name);
    const expect = await expectation();
    const dial = utf8.encode($('Dial').value.trim());
    const mode = utf8.encode($('CheckMode').value);
    // Straight into the buffer, one after another: a long recording is not copied once more.
    let at = wasm._wspr_input(bytes.length + name.length + expect.bytes.length + dial.length +
      mode.length);
    for (const piece of [bytes, name, expect.bytes, dial, mode]) {
      wasm.HEAPU8.set(piece, at);
      at += piece.length;
    }
    performance.mark('check-start');
    const result = answer(wasm._bc_check(bytes.length, name.length, expect.bytes.length,
      expect.kind, dial.length, mode.length));
    performance.measure('recording-check', 'check-start');
    if (result.problem) {
      const where = result.about === 'recording' ? file.name : expectFile?.name;
      sayAt(result.about, where && result.about !== 'dial' ? `${where}: ${result.problem}` : result.problem);
      return;
    }
    sayAt('recording', '', true);
    showSummary(result.table);
    $('CheckReport').textContent = result.report;
    showWaterfalls(result.pictures);
  } catch (error) {
    if (!(error instanceof WebAssembly.RuntimeError)) {
      sayAt('recording', `${file.name}: it cannot be read (${error})`);
      return;
    }
    // The WebAssembly ran out of memory: it cannot go on, so the page must be loaded again.
    sayAt('recording', `${file.name}: the browser gave the page too little memory for this ` +
      `recording (${error}): check it with the beaconcheck program, and reload the page`);
  } finally {
    for (const element of busy) element.disabled = false;
    checking = false;
  }
}

takeFiles($('RecordingFile'), $('RecordingDrop'), check);
$('ExpectFile').addEventListener('change', () => {
  [expectFile] = $('ExpectFile').files;
  $('ExpectFile').value = '';
  if (!expectFile) return;
  $('Expect').value = '';
  $('Expect').placeholder = expectFile.name;
  if (recording) check(recording);
});
$('CheckMode').addEventListener('change', () => {
  if (recording) check(recording);
});
$('Expect').addEventListener('input', () => {
  expectFile = null; // a typed message replaces a chosen file
  $('Expect').placeholder = 'K1ABC FN42 37';
});
$('RecordingForm').addEventListener('submit', (event) => {
  event.preventDefault();
  if (recording) check(recording);
});
